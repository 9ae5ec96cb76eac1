// The program as a user downloads it: its PE header, the manifest embedded in it and the
// file properties Windows shows. A manifest naming another architecture than the header
// is a classic cause of Windows refusing to start a program ("side-by-side configuration
// is incorrect"); Wine does not check it, so only reading the file catches it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "flavour.h"

namespace {

const wchar_t kProgram[] = L"" APP_FILE_NAME;

// The Machine field of the PE header, or 0 when the file is no PE image.
WORD PeMachine(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    IMAGE_DOS_HEADER dos{};
    if (!file.read(reinterpret_cast<char*>(&dos), sizeof(dos)) ||
        dos.e_magic != IMAGE_DOS_SIGNATURE)
        return 0;
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    file.seekg(dos.e_lfanew);
    if (!file.read(reinterpret_cast<char*>(&signature), sizeof(signature)) ||
        signature != IMAGE_NT_SIGNATURE ||
        !file.read(reinterpret_cast<char*>(&header), sizeof(header)))
        return 0;
    return header.Machine;
}

// The libraries the loader maps before the program's first instruction, lower case, read
// from the import directory of the file; empty when the file is not a well-formed image.
std::vector<std::string> ImportedLibraries(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    auto at = [&](std::size_t offset, std::size_t size) {
        return offset <= bytes.size() && size <= bytes.size() - offset ? bytes.data() + offset
                                                                       : nullptr;
    };
    IMAGE_DOS_HEADER dos{};
    IMAGE_FILE_HEADER header{};
    WORD magic = 0;
    const std::size_t headerAt = sizeof(DWORD);
    if (!at(0, sizeof(dos)))
        return {};
    std::memcpy(&dos, bytes.data(), sizeof(dos));
    const std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
    const std::size_t optional = nt + headerAt + sizeof(header);
    if (!at(nt + headerAt, sizeof(header)) || !at(optional, sizeof(magic)))
        return {};
    std::memcpy(&header, bytes.data() + nt + headerAt, sizeof(header));
    std::memcpy(&magic, bytes.data() + optional, sizeof(magic));
    IMAGE_DATA_DIRECTORY imports{};
    const std::size_t directories = magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                        ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                                        : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    const std::size_t entry =
        optional + directories + IMAGE_DIRECTORY_ENTRY_IMPORT * sizeof(imports);
    if (!at(entry, sizeof(imports)))
        return {};
    std::memcpy(&imports, bytes.data() + entry, sizeof(imports));

    const std::size_t sections = optional + header.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < header.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            if (!at(sections + i * sizeof(section), sizeof(section)))
                break;
            std::memcpy(&section, bytes.data() + sections + i * sizeof(section), sizeof(section));
            const DWORD span = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < span)
                return section.PointerToRawData + (rva - section.VirtualAddress);
        }
        return bytes.size();
    };
    std::vector<std::string> names;
    for (std::size_t d = fileOffset(imports.VirtualAddress);;
         d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor{};
        if (!at(d, sizeof(descriptor)))
            return {};
        std::memcpy(&descriptor, bytes.data() + d, sizeof(descriptor));
        if (descriptor.Name == 0)
            return names;
        const std::size_t name = fileOffset(descriptor.Name);
        const char* text = at(name, 1);
        if (!text)
            return {};
        std::string library(text, strnlen(text, bytes.size() - name));
        std::transform(library.begin(), library.end(), library.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(library);
    }
}

std::string EmbeddedManifest(const wchar_t* path) {
    HMODULE image = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image)
        return {};
    std::string text;
    if (HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
        if (bytes)
            text.assign(bytes, SizeofResource(image, found));
    }
    FreeLibrary(image);
    return text;
}

class FileProperties {
public:
    explicit FileProperties(const wchar_t* path) {
        DWORD ignored = 0;
        block_.resize(GetFileVersionInfoSizeW(path, &ignored));
        if (block_.empty() ||
            !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block_.size()), block_.data()))
            block_.clear();
    }
    bool Present() const { return !block_.empty(); }
    std::wstring Text(const std::wstring& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
        if (block_.empty() || !VerQueryValueW(block_.data(), key.c_str(), &value, &length) ||
            length == 0)
            return {};
        return std::wstring(static_cast<const wchar_t*>(value), length - 1);
    }
    const VS_FIXEDFILEINFO* Fixed() {
        void* value = nullptr;
        UINT length = 0;
        if (block_.empty() || !VerQueryValueW(block_.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

private:
    std::vector<BYTE> block_;
};

TEST(ShippedProgram, ManifestNamesTheArchitectureOfItsHeader) {
    const WORD machine = PeMachine(kProgram);
    const WORD ownMachine = sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    ASSERT_EQ(machine, ownMachine) << "the program and its tests are built for one flavour";

    const std::string manifest = EmbeddedManifest(kProgram);
    ASSERT_FALSE(manifest.empty()) << "no manifest embedded";
    const char* expected = machine == IMAGE_FILE_MACHINE_AMD64 ? "processorArchitecture=\"amd64\""
                                                               : "processorArchitecture=\"x86\"";
    EXPECT_NE(manifest.find(expected), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

// Libraries that run start-up code of their own when loaded, and that the program needs only
// once its first window is up: importing one again would delay the welcome window.
TEST(ShippedProgram, LoadsNoLibraryItNeedsOnlyLater) {
    const std::vector<std::string> imports = ImportedLibraries(kProgram);
    ASSERT_NE(std::find(imports.begin(), imports.end(), "user32.dll"), imports.end())
        << "the import directory was not read";
    for (const char* later : {"comctl32.dll", "shell32.dll", "setupapi.dll", "hid.dll"})
        EXPECT_EQ(std::find(imports.begin(), imports.end(), later), imports.end()) << later;
}

TEST(ShippedProgram, FilePropertiesSayWhatTheProgramIs) {
    FileProperties properties(kProgram);
    ASSERT_TRUE(properties.Present()) << "no version resource";
    const std::wstring wordSize = sizeof(void*) == 8 ? L"64-bit" : L"32-bit";
    EXPECT_EQ(properties.Text(L"ProductName"), L"ZP350 configuration tool");
    EXPECT_EQ(properties.Text(L"FileDescription"),
              L"ZP350 card reader configuration (" + wordSize + L")");
    EXPECT_EQ(properties.Text(L"OriginalFilename"), kProgram);
    EXPECT_EQ(properties.Text(L"FileVersion"), L"" APP_VERSION_TEXT);
    EXPECT_EQ(properties.Text(L"ProductVersion"), L"" APP_VERSION_TEXT);

    const VS_FIXEDFILEINFO* fixed = properties.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace

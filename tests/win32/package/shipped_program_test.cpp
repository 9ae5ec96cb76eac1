// The program as a user downloads it: its PE header, the manifest embedded in it and the
// file properties Windows shows. A manifest naming another architecture than the header
// is a classic cause of Windows refusing to start a program ("side-by-side configuration
// is incorrect"); Wine does not check it, so only reading the file catches it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
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

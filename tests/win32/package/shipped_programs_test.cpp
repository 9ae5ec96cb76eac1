// The programs as a user downloads them, both from one table: a stripped PE image of the
// flavour under test, a manifest naming the same architecture (Windows refuses to start a
// program whose manifest names another, "side-by-side configuration is incorrect"; Wine does
// not check it, so only reading the file catches it) and file properties that say what the
// program is. The command-line program also runs on its own and answers through its exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "flavour.h"
#include "ui_helpers.h"

namespace {

const bool k64 = sizeof(void*) == 8;

// The file mapped as the loader maps it, for reading only: no code of it runs.
struct Image {
    explicit Image(const wchar_t* file)
        : module(LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~Image() { FreeLibrary(module); }
    const BYTE* At(DWORD rva) const {
        return reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3}) +
               rva;
    }
    const IMAGE_NT_HEADERS* Headers() const {
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(At(0));
        return module ? reinterpret_cast<const IMAGE_NT_HEADERS*>(At(dos->e_lfanew)) : nullptr;
    }
    const IMAGE_IMPORT_DESCRIPTOR* Imported(const char* library) const {
        const DWORD size = Headers()->OptionalHeader.SizeOfImage;
        const IMAGE_DATA_DIRECTORY& imports =
            Headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.Size == 0 || imports.VirtualAddress >= size)
            return nullptr;
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(At(imports.VirtualAddress));
             d->Name != 0 && d->Name < size; ++d)
            if (lstrcmpiA(reinterpret_cast<const char*>(At(d->Name)), library) == 0)
                return d;
        return nullptr;
    }
    bool Imports(const char* library) const { return Imported(library) != nullptr; }
    // The functions imported from `library` by name.
    std::vector<std::string> ImportedNames(const char* library) const {
        std::vector<std::string> names;
        const IMAGE_IMPORT_DESCRIPTOR* d = Imported(library);
        const DWORD first = d ? (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk) : 0;
        for (auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(At(first));
             first && t->u1.Function; ++t)
            if (!IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal))
                names.emplace_back(reinterpret_cast<const char*>(
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(At(t->u1.AddressOfData))->Name));
        return names;
    }
    HMODULE module;
};

TEST(Shipped, HeaderManifestAndFileProperties) {
    const struct {
        const wchar_t* file;
        WORD subsystem;
        std::wstring description;
    } programs[] = {
        {L"" APP_FILE_NAME, IMAGE_SUBSYSTEM_WINDOWS_GUI, L"ZP350 card reader configuration"},
        {L"" CLI_FILE_NAME, IMAGE_SUBSYSTEM_WINDOWS_CUI, L"ZP350 card reader command line"},
        {L"" SVC_FILE_NAME, IMAGE_SUBSYSTEM_WINDOWS_CUI, L"ZP350 reader set-up service"},
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(testing::Message() << p.file);
        const Image image(p.file);
        const IMAGE_NT_HEADERS* headers = image.Headers();
        ASSERT_NE(headers, nullptr) << "cannot map the file: " << GetLastError();
        EXPECT_EQ(headers->FileHeader.Machine,
                  k64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
        EXPECT_EQ(headers->FileHeader.NumberOfSymbols, 0u);  // stripped
        EXPECT_EQ(headers->OptionalHeader.Subsystem, p.subsystem);
        const HRSRC resource =
            FindResourceW(image.module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        const char* bytes = static_cast<const char*>(
            resource ? LockResource(LoadResource(image.module, resource)) : nullptr);
        const std::string manifest(bytes ? bytes : "",
                                   bytes ? SizeofResource(image.module, resource) : 0);
        const char* architecture = k64 ? "Architecture=\"amd64\"" : "Architecture=\"x86\"";
        EXPECT_NE(manifest.find(architecture), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
        EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos) << manifest;
        // These libraries run start-up code of their own when loaded: the dialog needs them
        // only once its first window is up (importing one would delay that window), and the
        // console program only for the commands that reach a reader.
        ASSERT_TRUE(image.Imports("kernel32.dll")) << "the import directory was not read";
        for (const char* later :
             {"comctl32.dll", "shell32.dll", "comdlg32.dll", "setupapi.dll", "hid.dll"})
            EXPECT_FALSE(image.Imports(later)) << later;
        // Per-monitor DPI awareness v2; where that is unknown (Windows 10 before 1703, whose
        // dialog manager does not lay controls out again on WM_DPICHANGED, 8.1 and 7), system
        // awareness, never per-monitor v1.
        EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
        EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
        EXPECT_EQ(manifest.find("true/pm"), std::string::npos);
        EXPECT_EQ(manifest.find("PerMonitor<"), std::string::npos);
        // Everything it imports, Wine's libraries export (a missing one stops the program
        // from loading), and nothing of the DPI functions that Windows 7 lacks: those are
        // looked up at run time.
        for (const char* library : {"user32.dll", "gdi32.dll", "kernel32.dll"}) {
            const HMODULE system = GetModuleHandleA(library);
            for (const std::string& name : image.ImportedNames(library)) {
                EXPECT_NE(GetProcAddress(system, name.c_str()), nullptr) << library << " " << name;
                EXPECT_EQ(name.find("Dpi"), std::string::npos) << library << " " << name;
            }
        }

        DWORD ignored = 0;
        std::vector<BYTE> block(GetFileVersionInfoSizeW(p.file, &ignored));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoW(p.file, 0, static_cast<DWORD>(block.size()), block.data()));
        const auto value = [&](const std::wstring& key) -> const void* {
            void* found = nullptr;
            UINT length = 0;
            return VerQueryValueW(block.data(), key.c_str(), &found, &length) && length ? found
                                                                                        : nullptr;
        };
        const auto text = [&](const wchar_t* name) -> std::wstring {
            const void* found = value(std::wstring(L"\\StringFileInfo\\040904B0\\") + name);
            return found ? static_cast<const wchar_t*>(found) : L"(none)";
        };
        EXPECT_EQ(text(L"ProductName"), L"ZP350 configuration tool");
        EXPECT_EQ(text(L"FileDescription"), p.description + (k64 ? L" (64-bit)" : L" (32-bit)"));
        EXPECT_EQ(text(L"OriginalFilename"), p.file);
        EXPECT_EQ(text(L"FileVersion"), L"" APP_VERSION_TEXT);
        EXPECT_EQ(text(L"ProductVersion"), L"" APP_VERSION_TEXT);
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
        ASSERT_NE(fixed, nullptr);
        wchar_t version[64];
        std::swprintf(version, 64, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
        EXPECT_STREQ(version, L"" APP_VERSION_TEXT);
        EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
    }
}

// The window program carries no stored welcome picture (it is drawn for the display's DPI):
// it stays under 1.3 MiB in either flavour.
TEST(Shipped, TheWindowProgramStaysSmall) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(L"" APP_FILE_NAME, GetFileExInfoStandard, &data));
    const ULONGLONG size = ULONGLONG{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    EXPECT_LE(size, ULONGLONG{13} * 1024 * 1024 / 10);
}

// The colour depth of an icon's image as stored: a bitmap's header, or a PNG's (the largest
// images), whose colour type 6 at 8 bits a channel is 32 bits a pixel.
int BitsPerPixel(const BYTE* image) {
    if (std::memcmp(image, "\x89PNG\r\n\x1a\n", 8) != 0)
        return reinterpret_cast<const BITMAPINFOHEADER*>(image)->biBitCount;
    const BYTE depth = image[24], colorType = image[25];  // in the header chunk, after the size
    return colorType == 6 && depth == 8 ? 32 : -1;
}

// The program icon has an image for every size Windows asks for at 100 to 200 % (title bar,
// taskbar, Explorer, the About box), so that none is stretched from another.
TEST(Shipped, TheProgramIconHasEverySizeFrom16To256) {
    const Image image(L"" APP_FILE_NAME);
    ASSERT_NE(image.Headers(), nullptr);
    const HRSRC resource = FindResourceW(image.module, MAKEINTRESOURCEW(128), RT_GROUP_ICON);
    ASSERT_NE(resource, nullptr);
    const BYTE* group =
        static_cast<const BYTE*>(LockResource(LoadResource(image.module, resource)));
    ASSERT_NE(group, nullptr);
    // The group's header (reserved, type, count), then 14 bytes an image: width first (0: 256).
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        EXPECT_EQ(entry[0], entry[1]) << "image " << i << " is square";
        widths.push_back(entry[0] == 0 ? 256 : entry[0]);
    }
    EXPECT_EQ(widths, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 96, 128, 256}));
    // Asked for one of those sizes, the system finds that very image, 32 bits a pixel, and
    // makes an icon of that size of it.
    for (const int size : {16, 24, 32, 48, 256}) {
        SCOPED_TRACE(testing::Message() << size << " pixels");
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size,
                                                   LR_DEFAULTCOLOR);
        const HRSRC found = FindResourceW(image.module, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(found, nullptr);
        auto* const data = static_cast<BYTE*>(LockResource(LoadResource(image.module, found)));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(BitsPerPixel(data), 32);
        const HICON icon = CreateIconFromResourceEx(data, SizeofResource(image.module, found), TRUE,
                                                    0x00030000, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(IconWidth(icon), size);
        DestroyIcon(icon);
    }
}

// The event log shows the service's events with the messages its program carries.
TEST(Shipped, TheServiceCarriesTheEventLogsMessages) {
    const HMODULE program = LoadLibraryExW(L"" SVC_FILE_NAME, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), RT_MESSAGETABLE), nullptr);
    wchar_t* text = nullptr;
    const wchar_t* strings[] = {L"R: applied, version 1"};
    for (DWORD id = 1; id <= 10; ++id) {
        SCOPED_TRACE(id);
        const DWORD length =
            FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                               FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           program, id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                           reinterpret_cast<wchar_t*>(&text), 0,
                           reinterpret_cast<va_list*>(const_cast<wchar_t**>(strings)));
        ASSERT_NE(length, 0u);
        EXPECT_EQ(std::wstring(text, length), L"R: applied, version 1\r\n");
        LocalFree(text);
    }
    FreeLibrary(program);
}

// Its arguments reach it as UTF-8 and its exit code reaches the caller; how it answers
// otherwise is tested on cli::RunCli in tests/e2e.
TEST(Shipped, CommandLineProgramRunsOnItsOwn) {
    FILE* pipe = _wpopen(L"" CLI_FILE_NAME L" set --track1-start=\u00E9 2>&1", L"rb");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
        output.append(buffer, got);
    EXPECT_EQ(_pclose(pipe), 4) << output;
    EXPECT_NE(output.find("\"\xC3\xA9\" is not a plain ASCII character"), std::string::npos)
        << output;
}

}  // namespace

// kovi.exe's resources and imports, read back from the built executable (beside
// this test) the way the system and the window class read them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "win32/handle_traits.h"

namespace {

std::wstring KoviPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"kovi.exe";
}

// A resource's bytes from kovi.exe loaded as data (its imports are not loaded).
class KoviResources {
 public:
  KoviResources()
      : module_(LoadLibraryExW(KoviPath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

  bool loaded() const { return static_cast<bool>(module_); }

  std::vector<uint8_t> Get(const wchar_t* type, int id) const {
    HRSRC resource = FindResourceW(module_.get(), MAKEINTRESOURCEW(id), type);
    if (resource == nullptr) {
      return {};
    }
    const auto* bytes =
        static_cast<const uint8_t*>(LockResource(LoadResource(module_.get(), resource)));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module_.get(), resource));
  }

 private:
  ScopedModule module_;
};

class VersionBlock {
 public:
  VersionBlock() {
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(KoviPath().c_str(), &unused);
    block_.resize(size);
    loaded_ = size > 0 && GetFileVersionInfoW(KoviPath().c_str(), 0, size, block_.data());
  }

  bool loaded() const { return loaded_; }

  const void* Query(const std::wstring& path, UINT* length) {
    void* value = nullptr;
    *length = 0;
    return VerQueryValueW(block_.data(), path.c_str(), &value, length) ? value : nullptr;
  }

  std::wstring String(const std::wstring& name) {
    UINT length = 0;
    const void* value = Query(L"\\StringFileInfo\\040904e4\\" + name, &length);
    return value != nullptr ? std::wstring(static_cast<const wchar_t*>(value)) : L"<missing>";
  }

 private:
  std::vector<uint8_t> block_;
  bool loaded_ = false;
};

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
  const ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return {};
  }
  LARGE_INTEGER size{};
  GetFileSizeEx(file.get(), &size);
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    bytes.clear();
  }
  return bytes;
}

// The little-endian number at `offset`; 0 past the end.
template <typename Number>
Number Read(const std::vector<uint8_t>& bytes, size_t offset) {
  Number value = 0;
  if (offset + sizeof(Number) <= bytes.size()) {
    std::memcpy(&value, bytes.data() + offset, sizeof(Number));
  }
  return value;
}

// The names of the DLLs a PE image imports, lower-cased, from its file bytes.
std::vector<std::string> ImportedLibraries(const std::vector<uint8_t>& image) {
  const size_t nt = Read<uint32_t>(image, 0x3C);
  const size_t optional_header = nt + 24;
  const uint16_t section_count = Read<uint16_t>(image, nt + 6);
  const size_t sections = optional_header + Read<uint16_t>(image, nt + 20);
  const uint32_t import_rva =
      Read<uint32_t>(image, optional_header + 120);  // PE32+ data directory 1
  auto to_offset = [&](uint32_t rva) -> size_t {
    for (uint16_t i = 0; i < section_count; ++i) {
      const size_t section = sections + i * 40u;
      const uint32_t virtual_address = Read<uint32_t>(image, section + 12);
      const uint32_t raw_size = Read<uint32_t>(image, section + 16);
      if (rva >= virtual_address && rva < virtual_address + raw_size) {
        return rva - virtual_address + Read<uint32_t>(image, section + 20);
      }
    }
    return image.size();
  };
  std::vector<std::string> names;
  for (size_t descriptor = to_offset(import_rva); descriptor + 20 <= image.size();
       descriptor += 20) {
    const uint32_t name_rva = Read<uint32_t>(image, descriptor + 12);
    if (name_rva == 0) {
      break;
    }
    std::string name;
    for (size_t at = to_offset(name_rva); at < image.size() && image[at] != 0; ++at) {
      name += static_cast<char>(std::tolower(image[at]));
    }
    names.push_back(name);
  }
  return names;
}

TEST(KoviResources, VersionBlockNamesTheProductAndItsVersion) {
  VersionBlock version;
  ASSERT_TRUE(version.loaded());

  UINT length = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(version.Query(L"\\", &length));
  ASSERT_NE(fixed, nullptr);
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u);  // 0.1
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020001u);  // 2.1
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00020001u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));

  const auto* translation =
      static_cast<const WORD*>(version.Query(L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } entries[] = {
      {L"FileDescription", L"kovi"}, {L"InternalName", L"kovi"},
      {L"ProductName", L"kovi"},     {L"OriginalFilename", L"kovi.exe"},
      {L"FileVersion", L"0.1.2+1"},  {L"ProductVersion", L"0.1.2+1"},
  };
  for (const auto& entry : entries) {
    EXPECT_EQ(version.String(entry.name), entry.value) << "string " << entry.name;
  }
  for (const wchar_t* maker : {L"CompanyName", L"LegalCopyright"}) {
    const std::wstring value = version.String(maker);
    EXPECT_FALSE(value.empty() || value == L"<missing>") << "string " << maker;
  }
}

TEST(KoviResources, ManifestAsksForPerMonitorAwarenessAsInvoker) {
  KoviResources resources;
  ASSERT_TRUE(resources.loaded());
  const std::vector<uint8_t> bytes = resources.Get(RT_MANIFEST, 1);
  ASSERT_FALSE(bytes.empty());
  const std::string manifest(bytes.begin(), bytes.end());

  for (const char* part :
       {"level=\"asInvoker\"", "uiAccess=\"false\"", ">PerMonitorV2</dpiAwareness>",
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
  size_t supported_os = 0;
  for (size_t at = manifest.find("<supportedOS"); at != std::string::npos;
       at = manifest.find("<supportedOS", at + 1)) {
    ++supported_os;
  }
  EXPECT_EQ(supported_os, 1u);
}

TEST(KoviResources, IconGroup101HoldsOne256PixelPngWith32BitsPerPixel) {
  KoviResources resources;
  ASSERT_TRUE(resources.loaded());
  const std::vector<uint8_t> group = resources.Get(RT_GROUP_ICON, 101);
  ASSERT_EQ(group.size(), 6u + 14u) << "a header and one entry";
  EXPECT_EQ(Read<uint16_t>(group, 2), 1) << "icon";
  EXPECT_EQ(Read<uint16_t>(group, 4), 1) << "one image";
  EXPECT_EQ(group[6], 0) << "width 256";
  EXPECT_EQ(group[7], 0) << "height 256";
  EXPECT_EQ(Read<uint16_t>(group, 6 + 6), 32) << "bits per pixel";
  EXPECT_EQ(Read<uint16_t>(group, 6 + 12), 1) << "image resource 1";

  const std::vector<uint8_t> image = resources.Get(RT_ICON, 1);
  ASSERT_GT(image.size(), 33u);
  EXPECT_EQ(Read<uint32_t>(group, 6 + 8), image.size());
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), image.begin()));
  EXPECT_EQ(std::string(image.begin() + 12, image.begin() + 16), "IHDR");
  const std::vector<uint8_t> size_and_format(image.begin() + 16, image.begin() + 26);
  // Big-endian width and height 256, bit depth 8, colour type 6 (RGBA).
  EXPECT_EQ(size_and_format, (std::vector<uint8_t>{0, 0, 1, 0, 0, 0, 1, 0, 8, 6}));
}

TEST(KoviExecutable, IsAGuiProgramImportingTheEmbeddingLibraryAndTheThreePlugins) {
  const std::vector<uint8_t> image = ReadWholeFile(KoviPath());
  ASSERT_FALSE(image.empty());
  const size_t optional_header = Read<uint32_t>(image, 0x3C) + 24;
  EXPECT_EQ(Read<uint16_t>(image, optional_header + 68), IMAGE_SUBSYSTEM_WINDOWS_GUI);
  const std::vector<std::string> imports = ImportedLibraries(image);
  for (const char* library : {"flutter_windows.dll", "screen_retriever_plugin.dll",
                              "url_launcher_windows_plugin.dll", "window_manager_plugin.dll"}) {
    EXPECT_NE(std::find(imports.begin(), imports.end(), library), imports.end()) << library;
  }
}

}  // namespace

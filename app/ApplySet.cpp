#include "app/ApplySet.h"

#include "app/Backup.h"
#include "app/ExtractResource.h"

namespace vorn {
namespace {

// The versions of the file `fileName` that the tool carries, one per set.
std::vector<std::string_view> CarriedVersions(const char* fileName, HMODULE module) {
  std::vector<std::string_view> versions;
  for (const PostProcessSet* set : {&kNoneSet, &kFullSet}) {
    for (const SetFile& file : *set) {
      if (std::string_view(file.fileName) != fileName) continue;
      if (const auto bytes = CarriedItemBytes(file.item, kItemGroup, module)) versions.push_back(*bytes);
    }
  }
  return versions;
}

}  // namespace

std::vector<FileFailure> WriteSet(const PostProcessSet& set, const std::function<std::string()>& targetFolder,
                                  HMODULE module) {
  std::vector<FileFailure> failures;
  for (const SetFile& file : set) {
    const std::string folder = targetFolder();
    const std::string path = folder + file.fileName;
    // The player's own file is kept before it is replaced; when that fails,
    // the file stays as it is.
    int32_t error = BackUpOriginal(folder, file.fileName, CarriedVersions(file.fileName, module));
    if (error == 0) error = ExtractResource(file.item, kItemGroup, path, module);
    if (error != 0) failures.push_back({path, error});
  }
  return failures;
}

std::string ErrorText(int32_t error) {
  char* buffer = nullptr;
  const DWORD n =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (n != 0 && buffer) text.assign(buffer, n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  if (text.empty()) text = "error " + std::to_string(error);
  return text;
}

std::string UnknownSelectionMessage(const std::string& text) {
  return "\"" + text +
         "\" is not one of the two choices.\r\n\r\n"
         "Choose \"Full\" (the game's own effects) or \"None\" (no HDR and no blur), "
         "written exactly like that, then press APPLY.\r\n\r\nNothing was written.";
}

std::string MissingInstallMessage(const std::string& setName) {
  return "The \"" + setName +
         "\" set was not written: the game's installation folder was not found.\r\n\r\n"
         "The tool looks for it in the registry value PATH_APPLICATION under "
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Olverant\\VORN, which the game's installer writes.\r\n\r\n"
         "Nothing was written.";
}

std::string FailureMessage(const std::string& setName, const std::vector<FileFailure>& failures,
                           const std::function<std::string(int32_t)>& errorText) {
  std::string text = "The \"" + setName + "\" set was not written completely. " + std::to_string(failures.size()) +
                     (failures.size() == 1 ? " file" : " files") + " could not be written:\r\n";
  for (const FileFailure& f : failures) text += "\r\n" + f.path + "\r\n    " + errorText(f.error);
  text += "\r\n\r\nThe other files were written. Fix the cause and press APPLY again.";
  return text;
}

}  // namespace vorn

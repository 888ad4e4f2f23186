#include "win/utils/AtomicWrite.h"

#include <algorithm>

#include "core/RunLog.h"
#include "win/utils/Handles.h"

namespace Utils {

namespace {

// Large texts go out in pieces: one WriteFile of the whole would ask the system for one huge transfer.
constexpr size_t kWriteChunk = 1 << 20;

DWORD WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD ask = static_cast<DWORD>(std::min(bytes.size(), kWriteChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), ask, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return 0;
}

}  // namespace

DWORD WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace) {
  if (!replace && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_ALREADY_EXISTS;
  // Beside the target, so that the rename stays on one volume; unique to this process and attempt.
  static unsigned attempt = 0;
  const std::string temporary =
      path + ".~" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++attempt) + ".tmp";
  DWORD error = 0;
  {
    ScopedHandle file(
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    error = WriteAll(file.Get(), bytes);
    if (error == 0 && !FlushFileBuffers(file.Get())) error = GetLastError();
  }
  if (error == 0) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExA(temporary.c_str(), path.c_str(), flags)) return 0;
    error = GetLastError();
  }
  DeleteFileA(temporary.c_str());
  return error;
}

std::string WriteNewNumberedFile(const std::vector<std::string>& baseNames, std::string_view bytes) {
  // Far more than runs in one minute; a bound all the same, for a folder that claims every name exists.
  constexpr int kMostNumbers = 1000;
  for (const std::string& base : baseNames) {
    if (base.empty()) continue;
    for (int number = 1; number <= kMostNumbers; ++number) {
      const std::string name = core::NumberedLogName(base, number);
      const DWORD error = WriteFileAtomically(name, bytes, false);
      if (error == 0) return name;
      if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
  }
  return {};
}

}  // namespace Utils

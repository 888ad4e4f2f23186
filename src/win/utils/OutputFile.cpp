#include "win/utils/OutputFile.h"

#include "core/RunLog.h"

namespace Utils {

namespace {

bool WriteBytes(HANDLE file, std::string_view bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

}  // namespace

bool BoundedLineFile::Open(const std::string& path, uint64_t limitBytes) {
  Close();
  // Others may read it while it grows: an administrator following the run.
  file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file_) return false;
  path_ = path;
  limit_ = limitBytes;
  written_ = 0;
  leftOutLines_ = 0;
  leftOutBytes_ = 0;
  return true;
}

void BoundedLineFile::Append(std::string_view line) {
  if (!file_) return;
  const uint64_t size = line.size() + 2;
  if (leftOutLines_ > 0 || written_ + size > limit_) {
    ++leftOutLines_;
    leftOutBytes_ += size;
    return;
  }
  std::string bytes;
  bytes.reserve(size);
  bytes.append(line);
  bytes.append("\r\n");
  // A disk that is full takes nothing more; the run goes on.
  if (WriteBytes(file_.Get(), bytes)) written_ += size;
}

void BoundedLineFile::Close() {
  if (!file_) return;
  if (leftOutLines_ > 0)
    WriteBytes(file_.Get(), core::OutputLeftOutLine(leftOutLines_, leftOutBytes_, limit_) + "\r\n");
  file_.Reset();
}

}  // namespace Utils

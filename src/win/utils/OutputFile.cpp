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
  lastWritten_ = false;
  return true;
}

void BoundedLineFile::Append(std::string_view line, bool continuesLast) {
  if (!file_) return;
  const uint64_t size = line.size() + 2;
  const bool join = continuesLast && lastWritten_;
  if (leftOutLines_ > 0 || written_ - (join ? 2 : 0) + size > limit_) {
    if (!(continuesLast && leftOutLines_ > 0)) ++leftOutLines_;
    leftOutBytes_ += continuesLast ? line.size() : size;
    lastWritten_ = false;
    return;
  }
  if (join) {
    // Over the line end written after the line's first part.
    LARGE_INTEGER back;
    back.QuadPart = -2;
    if (!SetFilePointerEx(file_.Get(), back, nullptr, FILE_CURRENT)) return;
    written_ -= 2;
  }
  std::string bytes;
  bytes.reserve(size);
  bytes.append(line);
  bytes.append("\r\n");
  // A disk that is full takes nothing more; the run goes on.
  lastWritten_ = WriteBytes(file_.Get(), bytes);
  if (lastWritten_) written_ += size;
}

void BoundedLineFile::Close() {
  if (!file_) return;
  if (leftOutLines_ > 0)
    WriteBytes(file_.Get(), core::OutputLeftOutLine(leftOutLines_, leftOutBytes_, limit_) + "\r\n");
  file_.Reset();
}

}  // namespace Utils

// Anonymous pipes as streams, and the non-blocking line reader on their read
// end. The splitting itself is core::LineSplitter's.

#include <algorithm>
#include <limits>

#include "core/Format.h"
#include "win/utils/Utils.h"

namespace Utils {

size_t THandleStream::Read(void* buffer, size_t count) {
  DWORD got = 0;
  DWORD ask = static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
  if (handle_ == nullptr || !ReadFile(handle_, buffer, ask, &got, nullptr)) return 0;
  return got;
}

TPipeStream::TPipeStream(int end, DWORD bufferSize) {
  // Created inheritable: the child gets the other end through its standard
  // handles.
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof(attributes);
  attributes.lpSecurityDescriptor = nullptr;
  attributes.bInheritHandle = TRUE;
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &attributes, bufferSize)) {
    DWORD code = GetLastError();
    throw EInOutError(core::FormatText("Erorr %d creating pipe.", {static_cast<long long>(code)}), code);
  }
  readEnd_.Reset(readEnd);
  writeEnd_.Reset(writeEnd);
  if (end == PipeReadEnd) {
    handle_ = readEnd;
  } else if (end == PipeWriteEnd) {
    handle_ = writeEnd;
  }
  // This process's own end stays here: a child holding it would keep the pipe open after this side is done.
  if (handle_ != nullptr) SetHandleInformation(handle_, HANDLE_FLAG_INHERIT, 0);
}

// Both ends close with their owners; the stream's handle is one of them.
TPipeStream::~TPipeStream() = default;

HANDLE TPipeStream::OtherEndHandle() const {
  if (handle_ == nullptr) return nullptr;
  if (handle_ == readEnd_.Get()) return writeEnd_.Get();
  if (handle_ == writeEnd_.Get()) return readEnd_.Get();
  return nullptr;
}

void TPipeStream::TakeIn() {
  if (handle_ == nullptr || handle_ != readEnd_.Get()) return;
  // A pipe has no size to seek to; the platform says what waits.
  DWORD waiting = 0;
  if (!PeekNamedPipe(handle_, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0) return;
  if (readBuffer_.size() < waiting) readBuffer_.resize(waiting);
  size_t got = Read(readBuffer_.data(), waiting);
  if (got > 0) pending_.Feed(readBuffer_.data(), got);
}

bool TPipeStream::ReadLine(std::string& line) {
  lastUnterminated_ = false;
  // Lines already taken in are given out before the pipe is asked again, so
  // a burst read in one go costs one read, not one per line.
  std::optional<std::string> next = pending_.NextLine();
  if (!next) {
    TakeIn();
    next = pending_.NextLine();
  }
  if (!next) {
    line = NoLineMark;
    return false;
  }
  line = std::move(*next);
  lastContinued_ = pending_.LastLineContinued();
  return true;
}

bool TPipeStream::ReadLineOrRest(std::string& line) {
  if (ReadLine(line)) return true;
  std::optional<std::string> rest = pending_.TakeRest();
  if (!rest || rest->empty()) return false;
  line = std::move(*rest);
  lastContinued_ = pending_.LastLineContinued();
  lastUnterminated_ = true;
  return true;
}

size_t TPipeStream::PendingSize() const { return pending_.PendingSize(); }

}  // namespace Utils

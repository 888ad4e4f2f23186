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
  if (FHandle == nullptr || !ReadFile(FHandle, buffer, ask, &got, nullptr)) return 0;
  return got;
}

size_t THandleStream::Write(const void* buffer, size_t count) {
  DWORD written = 0;
  DWORD ask = static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
  if (FHandle == nullptr || !WriteFile(FHandle, buffer, ask, &written, nullptr)) return 0;
  return written;
}

void THandleStream::WriteBuffer(const void* buffer, size_t count) {
  const char* bytes = static_cast<const char*>(buffer);
  while (count > 0) {
    size_t written = Write(bytes, count);
    if (written == 0) throw EWriteError("Stream write error");
    bytes += written;
    count -= written;
  }
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
  ReadEnd.Reset(readEnd);
  WriteEnd.Reset(writeEnd);
  if (end == PipeReadEnd) {
    FHandle = readEnd;
  } else if (end == PipeWriteEnd) {
    FHandle = writeEnd;
  }
  // This process's own end stays here: a child holding it would keep the pipe open after this side is done.
  if (FHandle != nullptr) SetHandleInformation(FHandle, HANDLE_FLAG_INHERIT, 0);
}

// Both ends close with their owners; the stream's handle is one of them.
TPipeStream::~TPipeStream() = default;

HANDLE TPipeStream::OtherEndHandle() const {
  if (FHandle == nullptr) return nullptr;
  if (FHandle == ReadEnd.Get()) return WriteEnd.Get();
  if (FHandle == WriteEnd.Get()) return ReadEnd.Get();
  return nullptr;
}

void TPipeStream::TakeIn() {
  if (FHandle == nullptr || FHandle != ReadEnd.Get()) return;
  // A pipe has no size to seek to; the platform says what waits.
  DWORD waiting = 0;
  if (!PeekNamedPipe(FHandle, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0) return;
  if (ReadBuffer.size() < waiting) ReadBuffer.resize(waiting);
  size_t got = Read(ReadBuffer.data(), waiting);
  if (got > 0) Pending.Feed(ReadBuffer.data(), got);
}

bool TPipeStream::FillFront() {
  if (!Front.empty()) return true;
  std::optional<std::string> line = Pending.NextLine();
  if (!line) {
    TakeIn();
    line = Pending.NextLine();
  }
  if (!line) return false;
  Front = std::move(*line);
  Front += "\r\n";
  FrontContinued = Pending.LastLineContinued();
  return true;
}

char TPipeStream::PeekChar() {
  if (FillFront()) return Front.front();
  // The start of an unfinished line: look at it and give it back.
  std::optional<std::string> rest = Pending.TakeRest();
  if (!rest || rest->empty()) return '\0';
  Pending.Feed(rest->data(), rest->size());
  return rest->front();
}

char TPipeStream::TakeChar() {
  if (FillFront()) {
    char c = Front.front();
    Front.erase(0, 1);
    return c;
  }
  std::optional<std::string> rest = Pending.TakeRest();
  if (!rest || rest->empty()) return '\0';
  Pending.Feed(rest->data() + 1, rest->size() - 1);
  return rest->front();
}

bool TPipeStream::ReadLine(std::string& line) {
  if (!Front.empty()) {
    // A line with CR LF, or what TakeChar left of it.
    line.assign(Front, 0, Front.size() >= 2 ? Front.size() - 2 : 0);
    Front.clear();
    LastContinued = FrontContinued;
    return true;
  }
  // Lines already taken in are given out before the pipe is asked again, so
  // a burst read in one go costs one read, not one per line.
  std::optional<std::string> next = Pending.NextLine();
  if (!next) {
    TakeIn();
    next = Pending.NextLine();
  }
  if (!next) {
    line = NoLineMark;
    return false;
  }
  line = std::move(*next);
  LastContinued = Pending.LastLineContinued();
  return true;
}

bool TPipeStream::ReadLineOrRest(std::string& line) {
  if (ReadLine(line)) return true;
  std::optional<std::string> rest = Pending.TakeRest();
  if (!rest || rest->empty()) return false;
  line = std::move(*rest);
  LastContinued = Pending.LastLineContinued();
  return true;
}

size_t TPipeStream::PendingSize() const { return Front.size() + Pending.PendingSize(); }

void WriteLine(THandleStream& stream, const std::string& text) {
  std::string bytes = text + "\r\n";
  stream.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace Utils

// Utils: what the wizard needs from the machine it runs on. The product
// registry and the server's identity, the environment, processes, and the
// pipes to the update engine. Texts are 8-bit strings in the ANSI code page;
// only the Win32 "A" functions are used.
//
// The reads report a missing key, value or machine through neutral results
// (empty text, the default, 0). Real errors are exceptions whose message is
// what the operator sees in the default error box.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/LineSplitter.h"
#include "win/utils/Handles.h"

namespace Utils {

// ---------------------------------------------------------------- errors

// A registry value exists but is not a string.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A platform input/output failure, carrying the platform's error code.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(const std::string& message, DWORD errorCode) : std::runtime_error(message), ErrorCode(errorCode) {}
  DWORD ErrorCode;
};

// ------------------------------------------- product registry and identity

// Server role codes of GetServerRole.
inline constexpr int RolePrimary = 1;
inline constexpr int RoleSecondary = 2;
inline constexpr int RoleRkvSecondary = 3;

// Maintenance-mode codes of GetMaintenanceMode.
inline constexpr int MaintenanceUndetermined = 0;
inline constexpr int MaintenanceOff = 1;
inline constexpr int MaintenanceOn = 2;

// The value of a variable of this process, whatever its length; empty when
// it is not set.
std::string ReadEnvVar(const std::string& name);
// The same in UTF-16, for a value that names a path outside the code page;
// the platform's last error tells why a value is empty.
std::wstring ReadEnvVarWide(const std::string& name);

// A string value from the release's section of the product registry
// (HKLM\Software\Orvo\Zelmo, its "CurrentRelease", then "Default", then the
// section), on this machine or, when remoteMachine is not empty, on that
// machine through a remote registry connection. Anything missing or
// unreachable gives defaultValue; a value that is not a string raises
// ERegistryException.
std::string ReadProductSetting(const std::string& section, const std::string& valueName,
                               const std::string& defaultValue, const std::string& remoteMachine);

// The installed update level, or empty.
std::string ReadUpdateLevel();

// This machine's computer name, exactly as the platform reports it.
std::string ReadComputerName();

std::string ReadPrimaryNodeName();
std::string ReadOriginalPrimaryNodeName();

// RolePrimary, RoleSecondary or RoleRkvSecondary.
int GetServerRole();
// "Primary", "Secondary" or "RKV Secondary" for GetServerRole's code.
std::string ServerRoleName();
// The label of a role code; empty for a code that is none.
std::string ServerRoleLabel(int role);

// The maintenance mode of the server group, read from the registry of its
// primary server by name (even when that is this machine).
int GetMaintenanceMode();
// The code for a "MaintenanceMode" text: only a-z are folded, nothing trimmed.
int MaintenanceModeOfText(std::string_view text);

// ---------------------------------------------------------------- processes

// A started child: its identifier and a handle that follows it for as long as
// it is held, so that a reused identifier cannot be mistaken for the child.
struct TStartedProcess {
  DWORD Id = 0;
  ScopedHandle Process;
};

// Starts "path" with arguments as a child with its own console (hidden, or
// minimised when showConsole is set). When any standard handle is given, all
// three are passed and the child inherits those handles only (where the
// platform can say so; the handles must be inheritable). The path is quoted
// on the command line, so blanks in it cannot make the platform run another
// program. Id 0 and no handle on failure (last error kept).
TStartedProcess StartChildProcess(const std::string& path, const std::string& arguments, bool showConsole, HANDLE input,
                                  HANDLE output, HANDLE error);

// Whether the process behind the handle is still running; false for none.
bool IsProcessHandleAlive(HANDLE process);

// The first process, in listing order, whose executable file name equals
// name with a-z folded; 0 if none. Sees processes of other accounts and
// integrity levels too, and the whole list however long. A list that cannot
// be read raises EInOutError: it must not pass for "no such process".
DWORD FindProcessByExeName(const std::string& name);

// What FindProcessByExeName asks the system for: fills the buffer with the
// process records and returns the status (tests put failures in its place).
using ProcessListQuery = std::function<LONG(void* buffer, ULONG size, ULONG* needed)>;
DWORD FindProcessInList(const ProcessListQuery& query, const std::string& name);

// ------------------------------------------------------------------ streams

// A stream on an operating-system handle it does not own.
class THandleStream {
 public:
  explicit THandleStream(HANDLE handle = nullptr) : handle_(handle) {}
  virtual ~THandleStream() = default;
  THandleStream(const THandleStream&) = delete;
  THandleStream& operator=(const THandleStream&) = delete;

  HANDLE Handle() const { return handle_; }

  // One read; the bytes moved, 0 on failure.
  size_t Read(void* buffer, size_t count);

 protected:
  HANDLE handle_;
};

// Ends of a pipe stream.
inline constexpr int PipeReadEnd = 0;
inline constexpr int PipeWriteEnd = 1;

// What ReadLine gives when no complete line waits: one NUL character, never
// a line, since NUL bytes are dropped from the input.
inline const std::string NoLineMark(1, '\0');

// An anonymous pipe exposed as a stream on one of its ends (or on neither,
// for any other end value). The other end is inheritable, for a child; the
// stream's own end is not. The read end has a
// line reader that never waits for data.
class TPipeStream : public THandleStream {
 public:
  // Create. bufferSize is the pipe buffer asked of the platform; an engine
  // blocks whenever it is full. Raises EInOutError "Erorr %d creating pipe.".
  TPipeStream(int end, DWORD bufferSize);
  ~TPipeStream() override;

  HANDLE ReadHandle() const { return readEnd_.Get(); }
  HANDLE WriteHandle() const { return writeEnd_.Get(); }
  // The end this stream does not use, for a child process; 0 for neither.
  HANDLE OtherEndHandle() const;

  // The next complete line without its end (CR LF, CR or LF) and true; or
  // NoLineMark and false when no complete line waits. Never blocks.
  bool ReadLine(std::string& line);

  // Like ReadLine, but when no complete line waits, the bytes of an
  // unterminated last line are given as a line. For the end of a run, when
  // the writer has gone and nothing more will complete that line.
  bool ReadLineOrRest(std::string& line);

  // Whether the line last given by ReadLine or ReadLineOrRest is a later
  // piece of a line longer than the reader holds (see core::LineSplitter).
  bool LastLineContinued() const { return lastContinued_; }
  // Whether the line last given was an unterminated rest (ReadLineOrRest).
  bool LastLineUnterminated() const { return lastUnterminated_; }

  // Bytes taken from the pipe and not yet given out.
  size_t PendingSize() const;

 private:
  // Moves every byte waiting in the pipe into pending_, without waiting.
  void TakeIn();

  ScopedHandle readEnd_;
  ScopedHandle writeEnd_;
  core::LineSplitter pending_;
  bool lastContinued_ = false;
  bool lastUnterminated_ = false;
  std::vector<char> readBuffer_;
};

}  // namespace Utils

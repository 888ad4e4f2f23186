#include "win/utils/EventLog.h"

#include "win/utils/Handles.h"
#include "win/utils/WideText.h"

namespace Utils {

namespace {

std::function<bool(const EventRecord&)>& Writer() {
  static std::function<bool(const EventRecord&)> writer;
  return writer;
}

}  // namespace

bool WriteEventRecord(const EventRecord& record) {
  if (Writer()) return Writer()(record);
  HANDLE log = RegisterEventSourceW(nullptr, WideFromAnsi(record.Source).c_str());
  if (!log) return false;
  std::vector<std::wstring> wide;
  for (const std::string& text : record.Strings) wide.push_back(WideFromAnsi(text));
  std::vector<LPCWSTR> strings;
  for (const std::wstring& text : wide) strings.push_back(text.c_str());
  const BOOL written = ReportEventW(log, record.Type, 0, record.EventId, nullptr, static_cast<WORD>(strings.size()), 0,
                                    strings.empty() ? nullptr : strings.data(), nullptr);
  DeregisterEventSource(log);
  return written != FALSE;
}

bool RegisterEventMessageFile(const std::string& source, const std::string& messageFile) {
  if (Writer()) return true;
  const std::string path = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + source;
  ScopedKey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS)
    return false;
  const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
  return RegSetValueExA(key.Get(), "EventMessageFile", 0, REG_EXPAND_SZ,
                        reinterpret_cast<const BYTE*>(messageFile.c_str()),
                        static_cast<DWORD>(messageFile.size() + 1)) == ERROR_SUCCESS &&
         RegSetValueExA(key.Get(), "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                        sizeof types) == ERROR_SUCCESS;
}

void SetEventRecordWriter(std::function<bool(const EventRecord&)> writer) { Writer() = std::move(writer); }

}  // namespace Utils

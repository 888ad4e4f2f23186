// Records in the Application event log, the place where administrators and monitoring look for what ran on a
// server. Tests replace the writer and see every record.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace Utils {

struct EventRecord {
  std::string Source;
  WORD Type = EVENTLOG_INFORMATION_TYPE;  // EVENTLOG_INFORMATION_TYPE, EVENTLOG_WARNING_TYPE, EVENTLOG_ERROR_TYPE
  DWORD EventId = 0;
  std::vector<std::string> Strings;  // the message's inserts %1, %2, ... (ANSI)
};

// Writes the record to the Application log. False when the platform refused it; the caller goes on either way.
bool WriteEventRecord(const EventRecord& record);

// Makes the source known to the Application log, with the file whose message table holds its texts (the key
// HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\<source>). False when the registry refused it.
bool RegisterEventMessageFile(const std::string& source, const std::string& messageFile);

// Replaces the platform's log for the records written from now on, and leaves the registry alone meanwhile; an empty
// function puts it back.
void SetEventRecordWriter(std::function<bool(const EventRecord&)> writer);

}  // namespace Utils

// What the scripted engine's scenarios print, as the run log keeps it, and the completion texts they lead to: shared
// by the end-to-end tests that read run logs.
#pragma once

#include <string>

namespace tessaron::e2e {

// What the engine prints for each scenario, as the output tail keeps it: every line after CR LF, the unterminated
// last one too.
inline const std::string kSuccessOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\nReading update packages"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\nFree space on the snapshot drive: 48213 MB"
    "\r\n[STATUS]:SNP02,Stopping services,20"
    "\r\nStopping service Tessaron Scheduler"
    "\r\nStopping service Tessaron Application Server"
    "\r\n[STATUS]:SNP03,Writing snapshot,45"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP03,Writing snapshot,80"
    "\r\nWriting snapshot image of the product home"
    "\r\n[STATUS]:SNP04,Verifying snapshot,95"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-01,Checking prerequisites,10"
    "\r\nInstalled update level: none"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\nCopying bin\\TessaronReports.dll"
    "\r\n[STATUS]:U0-03,Updating database schema,75"
    "\r\nApplying schema script 2.3.1.0-001 (12 statements)"
    "\r\n[STATUS]:U0-04,Registering components,95"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-01,Checking prerequisites,10"
    "\r\nInstalled update level: 0"
    "\r\n[STATUS]:U1-02,Copying files,50"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\nCopying web\\scripts\\orders.js"
    "\r\n[STATUS]:U1-03,Updating database schema,80"
    "\r\nApplying schema script 2.3.1.1-001 (4 statements)"
    "\r\n[STATUS]:U1-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.2"
    "\r\n[STATUS]:U2-01,Checking prerequisites,10"
    "\r\nInstalled update level: 1"
    "\r\n[STATUS]:U2-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.exe"
    "\r\nCopying bin\\OrvoZelmoAgent.exe"
    "\r\n[STATUS]:U2-03,Updating database schema,70"
    "\r\nApplying schema script 2.3.1.2-001 (27 statements)"
    "\r\n[STATUS]:U2-04,Starting services,90"
    "\r\nStarting service Tessaron Application Server"
    "\r\nStarting service Tessaron Scheduler"
    "\r\n[STATUS]:U2-05,Update complete,100"
    "\r\n[Result]:Update level 2 installed";

inline const std::string kFailureOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\nReading update packages"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\n[STATUS]:SNP02,Stopping services,20"
    "\r\nStopping service Tessaron Scheduler"
    "\r\nStopping service Tessaron Application Server"
    "\r\n[STATUS]:SNP03,Writing snapshot,60"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U0-03,Updating database schema,75"
    "\r\nApplying schema script 2.3.1.0-001 (12 statements)"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-02,Copying files,20"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U1-03,Updating database schema,35"
    "\r\nApplying schema script 2.3.1.1-001 (4 statements)"
    "\r\nStatement 3 of 4: ALTER TABLE ORDER_ITEMS ADD DISCOUNT_CODE VARCHAR(16)"
    "\r\n[Error]:Updating the database schema failed: table ORDER_ITEMS is locked by another session."
    "\r\nRolling back update Tessaron-2.3.1.1"
    "\r\nRestoring bin\\TessaronServer.dll"
    "\r\n[Error]:Update Tessaron-2.3.1.1 was rolled back. The server remains at update level 0."
    "\r\nStarting service Tessaron Application Server"
    "\r\nStarting service Tessaron Scheduler";

inline const std::string kRebootOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\n[STATUS]:SNP03,Writing snapshot,60"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-02,Copying files,40"
    "\r\nCopying drivers\\OrvoZelmoFilter.sys"
    "\r\nFile in use, replacement scheduled for the next restart: drivers\\OrvoZelmoFilter.sys"
    "\r\n[PARAM]:RESTART=NEED_REBOOT;REASON=FILES_IN_USE"
    "\r\n[STATUS]:U1-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.2"
    "\r\n[STATUS]:U2-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.exe"
    "\r\n[STATUS]:U2-04,Starting services,90"
    "\r\n[STATUS]:U2-05,Update complete,100"
    "\r\n[Result]:Update level 2 installed, restart required";

inline const std::string kSeparator = "\r\n** output ******************************************\r\n";

// The completion page after a run, in English, German, French and Spanish, at update level 2.2.1.
inline const std::string kSuccessAt221[] = {
    "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.",
    "Herzlichen Gl\xFC" "ckwunsch!\r\n\r\nSie haben diesen Server erfolgreich auf 2.2.1 aktualisiert.",
    "F\xE9licitations !\r\n\r\nLa mise \xE0 niveau de ce serveur vers 2.2.1 a r\xE9ussi.",
    "\xA1" "Enhorabuena!\r\n\r\nEl servidor se ha actualizado correctamente a 2.2.1."};

inline const std::string kFailed = "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step ";

// The completion page after the "failure" scenario, in English.
inline const std::string kFailureStatus =
    kFailed +
    "Update Tessaron-2.3.1.1 U1-03:\"Updating database schema\", with the following message:\r\n"
    "\r\n\r\nUpdating the database schema failed: table ORDER_ITEMS is locked by another session."
    "\r\nUpdate Tessaron-2.3.1.1 was rolled back. The server remains at update level 0.";

}  // namespace tessaron::e2e

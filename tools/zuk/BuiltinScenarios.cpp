// The scenarios built into the engine. Each one is also shipped as
// scenarios/<name>.scenario; the scenario tests keep the two identical.
#include <array>
#include <utility>

#include "Scenario.h"

namespace zuk {

namespace {

constexpr std::string_view kSuccess =
    R"zuk(# A successful update with snapshot: the snapshot section, then updates 0, 1 and 2.
print Tessaron update engine 2.3.1 started
print Reading update packages
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,5
print Free space on the snapshot drive: 48213 MB
print [STATUS]:SNP02,Stopping services,20
print Stopping service Tessaron Scheduler
print Stopping service Tessaron Application Server
sleep 50
print [STATUS]:SNP03,Writing snapshot,45
print Writing snapshot image of volume C:
print [STATUS]:SNP03,Writing snapshot,80
print Writing snapshot image of the product home
print [STATUS]:SNP04,Verifying snapshot,95
print [STATUS]:SNP05,Snapshot complete,100
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-01,Checking prerequisites,10
print Installed update level: none
print [STATUS]:U0-02,Copying files,40
print Copying bin\\TessaronServer.dll
print Copying bin\\TessaronReports.dll
sleep 50
print [STATUS]:U0-03,Updating database schema,75
print Applying schema script 2.3.1.0-001 (12 statements)
print [STATUS]:U0-04,Registering components,95
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-01,Checking prerequisites,10
print Installed update level: 0
print [STATUS]:U1-02,Copying files,50
print Copying bin\\TessaronServer.dll
print Copying web\\scripts\\orders.js
sleep 50
print [STATUS]:U1-03,Updating database schema,80
print Applying schema script 2.3.1.1-001 (4 statements)
print [STATUS]:U1-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.2
print [STATUS]:U2-01,Checking prerequisites,10
print Installed update level: 1
print [STATUS]:U2-02,Copying files,40
print Copying bin\\TessaronServer.exe
print Copying bin\\OrvoZelmoAgent.exe
sleep 50
print [STATUS]:U2-03,Updating database schema,70
print Applying schema script 2.3.1.2-001 (27 statements)
print [STATUS]:U2-04,Starting services,90
print Starting service Tessaron Application Server
print Starting service Tessaron Scheduler
print [STATUS]:U2-05,Update complete,100
print [Result]:Update level 2 installed
exit 0
)zuk";

constexpr std::string_view kSuccessNosnapshot =
    R"zuk(# A successful update without snapshot (run with the nosnapshot switch): updates 0, 1 and 2.
print Tessaron update engine 2.3.1 started
print Reading update packages
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-01,Checking prerequisites,10
print Installed update level: none
print [STATUS]:U0-02,Copying files,40
print Copying bin\\TessaronServer.dll
print Copying bin\\TessaronReports.dll
sleep 50
print [STATUS]:U0-03,Updating database schema,75
print Applying schema script 2.3.1.0-001 (12 statements)
print [STATUS]:U0-04,Registering components,95
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-01,Checking prerequisites,10
print Installed update level: 0
print [STATUS]:U1-02,Copying files,50
print Copying bin\\TessaronServer.dll
print Copying web\\scripts\\orders.js
sleep 50
print [STATUS]:U1-03,Updating database schema,80
print Applying schema script 2.3.1.1-001 (4 statements)
print [STATUS]:U1-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.2
print [STATUS]:U2-01,Checking prerequisites,10
print Installed update level: 1
print [STATUS]:U2-02,Copying files,40
print Copying bin\\TessaronServer.exe
print Copying bin\\OrvoZelmoAgent.exe
sleep 50
print [STATUS]:U2-03,Updating database schema,70
print Applying schema script 2.3.1.2-001 (27 statements)
print [STATUS]:U2-04,Starting services,90
print Starting service Tessaron Application Server
print Starting service Tessaron Scheduler
print [STATUS]:U2-05,Update complete,100
print [Result]:Update level 2 installed
exit 0
)zuk";

constexpr std::string_view kFailure = R"zuk(# A failed update: the snapshot and update 0 succeed, update 1 fails in the
# database step and is rolled back; errors are reported, there is no result.
print Tessaron update engine 2.3.1 started
print Reading update packages
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,5
print [STATUS]:SNP02,Stopping services,20
print Stopping service Tessaron Scheduler
print Stopping service Tessaron Application Server
print [STATUS]:SNP03,Writing snapshot,60
print Writing snapshot image of volume C:
print [STATUS]:SNP05,Snapshot complete,100
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-02,Copying files,40
print Copying bin\\TessaronServer.dll
print [STATUS]:U0-03,Updating database schema,75
print Applying schema script 2.3.1.0-001 (12 statements)
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-02,Copying files,20
print Copying bin\\TessaronServer.dll
sleep 50
print [STATUS]:U1-03,Updating database schema,35
print Applying schema script 2.3.1.1-001 (4 statements)
print Statement 3 of 4: ALTER TABLE ORDER_ITEMS ADD DISCOUNT_CODE VARCHAR(16)
print [Error]:Updating the database schema failed: table ORDER_ITEMS is locked by another session.
print Rolling back update Tessaron-2.3.1.1
print Restoring bin\\TessaronServer.dll
print [Error]:Update Tessaron-2.3.1.1 was rolled back. The server remains at update level 0.
print Starting service Tessaron Application Server
print Starting service Tessaron Scheduler
exit 1
)zuk";

constexpr std::string_view kReboot = R"zuk(# A successful update with snapshot that asks for a server restart.
print Tessaron update engine 2.3.1 started
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,5
print [STATUS]:SNP03,Writing snapshot,60
print Writing snapshot image of volume C:
print [STATUS]:SNP05,Snapshot complete,100
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-02,Copying files,40
print Copying bin\\TessaronServer.dll
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-02,Copying files,40
print Copying drivers\\OrvoZelmoFilter.sys
print File in use, replacement scheduled for the next restart: drivers\\OrvoZelmoFilter.sys
print [PARAM]:RESTART=NEED_REBOOT;REASON=FILES_IN_USE
print [STATUS]:U1-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.2
print [STATUS]:U2-02,Copying files,40
print Copying bin\\TessaronServer.exe
print [STATUS]:U2-04,Starting services,90
print [STATUS]:U2-05,Update complete,100
print [Result]:Update level 2 installed, restart required
exit 0
)zuk";

constexpr std::string_view kCrash =
    R"zuk(# An engine that dies in the middle of update 1, halfway through writing a line.
print Tessaron update engine 2.3.1 started
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,5
print [STATUS]:SNP03,Writing snapshot,60
print [STATUS]:SNP05,Snapshot complete,100
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-02,Copying files,40
print Copying bin\\TessaronServer.dll
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-02,Copying files,30
print Copying bin\\TessaronServer.dll
sleep 50
raw Copying web\\scripts\\ord
crash
)zuk";

constexpr std::string_view kSilent = R"zuk(# An engine that prints nothing at all.
exit 0
)zuk";

constexpr std::string_view kFlood =
    R"zuk(# A successful update with snapshot whose update 1 prints 100,000 detail lines.
print Tessaron update engine 2.3.1 started
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,5
print [STATUS]:SNP05,Snapshot complete,100
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-02,Copying files,40
print [STATUS]:U0-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-02,Reindexing document archive,10
repeat 100000 Reindexing document {i} of {n}: archive\\documents\\doc{i}.dat
print [STATUS]:U1-05,Update complete,100
print [SECTION]:Update Tessaron-2.3.1.2
print [STATUS]:U2-02,Copying files,40
print Copying bin\\TessaronServer.exe
print [STATUS]:U2-05,Update complete,100
print [Result]:Update level 2 installed
exit 0
)zuk";

constexpr std::string_view kSlow = R"zuk(# The demonstration run: a snapshot and updates 0, 1 and 2 at a pace a person
# can follow, about 50 seconds in all.
print Tessaron update engine 2.3.1 started
print Reading update packages
sleep 1000
print [SECTION]:Snapshot
print [STATUS]:SNP01,Checking snapshot drive,2
print Free space on the snapshot drive: 48213 MB
sleep 1500
print [STATUS]:SNP02,Stopping services,8
print Stopping service Tessaron Scheduler
sleep 1100
print Stopping service Tessaron Application Server
sleep 1400
print Stopping service Orvo Zelmo Agent
sleep 900
print [STATUS]:SNP03,Writing snapshot,20
print Writing snapshot image of volume C:, 1.2 GB of 9.6 GB
sleep 1300
print [STATUS]:SNP03,Writing snapshot,35
print Writing snapshot image of volume C:, 3.6 GB of 9.6 GB
sleep 1300
print [STATUS]:SNP03,Writing snapshot,52
print Writing snapshot image of volume C:, 6.0 GB of 9.6 GB
sleep 1300
print [STATUS]:SNP03,Writing snapshot,70
print Writing snapshot image of volume C:, 9.6 GB of 9.6 GB
sleep 1000
print [STATUS]:SNP03,Writing snapshot,82
print Writing snapshot image of the product home
sleep 1500
print [STATUS]:SNP04,Verifying snapshot,92
print Verifying snapshot checksums
sleep 1300
print [STATUS]:SNP05,Snapshot complete,100
sleep 600
print [SECTION]:Update Tessaron-2.3.1.0
print [STATUS]:U0-01,Checking prerequisites,5
print Installed update level: none
sleep 1100
print Checking free space in the product home
sleep 800
print [STATUS]:U0-02,Copying files,15
print Copying bin\\TessaronServer.dll
sleep 900
print Copying bin\\TessaronReports.dll
sleep 800
print Copying bin\\TessaronImport.exe
sleep 900
print [STATUS]:U0-02,Copying files,35
print Copying web\\scripts\\orders.js
sleep 600
print Copying web\\styles\\main.css
sleep 800
print [STATUS]:U0-03,Updating database schema,50
print Applying schema script 2.3.1.0-001 (12 statements)
sleep 1500
print Applying schema script 2.3.1.0-002 (3 statements)
sleep 1100
print [STATUS]:U0-03,Updating database schema,72
print Converting stored report layouts (148 of 148)
sleep 1400
print [STATUS]:U0-04,Registering components,88
print Registering component TessaronReports
sleep 1000
print [STATUS]:U0-04,Registering components,96
print Writing update level 0 to the product registry
sleep 800
print [STATUS]:U0-05,Update complete,100
sleep 600
print [SECTION]:Update Tessaron-2.3.1.1
print [STATUS]:U1-01,Checking prerequisites,5
print Installed update level: 0
sleep 1100
print [STATUS]:U1-02,Copying files,20
print Copying bin\\TessaronServer.dll
sleep 1000
print Copying bin\\OrvoZelmoAgent.exe
sleep 900
print Copying templates\\invoice.xml
sleep 800
print [STATUS]:U1-02,Copying files,40
print Copying help\\de\\index.html
sleep 800
print [STATUS]:U1-03,Updating database schema,55
print Applying schema script 2.3.1.1-001 (4 statements)
sleep 1600
print Rebuilding index IX_ORDER_ITEMS_ORDER
sleep 1800
print [STATUS]:U1-03,Updating database schema,80
print Updating stored procedures (23)
sleep 1400
print [STATUS]:U1-04,Registering components,94
print Writing update level 1 to the product registry
sleep 900
print [STATUS]:U1-05,Update complete,100
sleep 600
print [SECTION]:Update Tessaron-2.3.1.2
print [STATUS]:U2-01,Checking prerequisites,5
print Installed update level: 1
sleep 1100
print [STATUS]:U2-02,Copying files,18
print Copying bin\\TessaronServer.exe
sleep 1000
print Copying bin\\TessaronServer.dll
sleep 900
print Copying bin\\TessaronScheduler.exe
sleep 900
print [STATUS]:U2-02,Copying files,38
print Copying config\\defaults\\server.ini
sleep 800
print [STATUS]:U2-03,Updating database schema,52
print Applying schema script 2.3.1.2-001 (27 statements)
sleep 1900
print [STATUS]:U2-03,Updating database schema,70
print Migrating customer settings (3 of 3 tables)
sleep 1500
print [STATUS]:U2-04,Starting services,85
print Starting service Orvo Zelmo Agent
sleep 900
print Starting service Tessaron Application Server
sleep 1500
print Starting service Tessaron Scheduler
sleep 900
print [STATUS]:U2-04,Starting services,95
print Writing update level 2 to the product registry
level 2.3.1.2
sleep 900
print [STATUS]:U2-05,Update complete,100
print [Result]:Update level 2 installed
exit 0
)zuk";

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kBuiltins = {{
    {"success", kSuccess},
    {"success-nosnapshot", kSuccessNosnapshot},
    {"failure", kFailure},
    {"reboot", kReboot},
    {"crash", kCrash},
    {"silent", kSilent},
    {"flood", kFlood},
    {"slow", kSlow},
}};

}  // namespace

std::optional<std::string_view> BuiltinScenario(std::string_view name) {
  for (const auto& [builtinName, text] : kBuiltins)
    if (builtinName == name) return text;
  return std::nullopt;
}

std::vector<std::string_view> BuiltinScenarioNames() {
  std::vector<std::string_view> names;
  for (const auto& entry : kBuiltins) names.push_back(entry.first);
  return names;
}

}  // namespace zuk

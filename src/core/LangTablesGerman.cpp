// German (Deutsch) texts of the wizard.
// Windows-1252 bytes; letters outside ASCII are hex escapes (see LangRes.h), "\r" is a line
// break. Spaces are significant, double spaces included. Keys and order match the English table.
#include "core/LangRes.h"

namespace core {

// clang-format off
constinit const TLangTable GermanTable = {{
    {"str_LauncherForm_Caption",
     "Tessaron Update-Dienstprogramm"},
    {"str_lbServerVersionTitle_Caption",
     "Aktuelle Update-Stufe"},
    {"str_lbServerVersion_Caption",
     "%s %s bei %s"},
    {"str_lbResponceCenter_Caption",
     "Sie k\xF6nnen jederzeit Unterst\xFCtzung beim Orvo Response Center anfordern."},
    {"str_lbUpdateSystemTitle_Caption",
     "Tessaron-System aktualisieren"},
    {"str_lbUpdateSystemInfo_Caption",
     "Installieren Sie die neuesten Updates auf Ihrem System."},
    {"str_lbUpdateFilesPathTitle_Caption",
     "Geben Sie an, wo die Updates gespeichert werden sollen"},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Es wird dringend empfohlen, alle Update-Dateien von der Upgrade-CD in einen neuen Ordner auf dem Laufwerk J: (oder an einem anderen Jobs-Datentr\xE4ger mit gen\xFCgend freiem Speicher zu kopieren)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption",
     "Pfad zu Updates"},
    {"str_lbUpdateFileListTitle_Caption",
     "Liste der Dateien"},
    {"str_lbSnapshotDriveTitle_Caption",
     "Geben Sie das Ziellaufwerk f\xFCr den Snapshot an"},
    {"str_lbSnapshotDriveInfo_Caption",
     "Bei der Durchf\xFChrung eines Updates wird ein Snapshot des Systems auf Ihrem Server gespeichert.\r\r"
     "W\xE4hlen Sie ein eingebautes Festplattenlaufwerk mit dem meisten freien Speicher, normalerweise  ein \"Jobs\"-Laufwerk.\r\r"
     "Sollten ernsthafte Probleme auftreten, kann das Orvo Response Center  den Server anhand dieses Snapshots wiederherstellen."},
    {"str_lbAboutToInstallInfo1_Caption",
     "Wichtiger Hinweis:"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Alle Tessaron-Dienste auf diesem Computer und die Skerry-Dienste auf entfernten Computern werden als Teil des Upgrade-Prozesses beendet.\r\r"
     "Klicken Sie auf die Schaltfl\xE4" "che Start, um den Upgrade-Prozess zu starten."},
    {"str_lbProgressTitle_Caption",
     "Status %d%%"},
    {"str_lbProgressInfo_Caption",
     "Der Vorgang kann 10 bis 60 Minuten in Anspruch nehmen und h\xE4ngt vom Servertyp und der Gr\xF6\xDF" "e Ihrer Datenbank ab.\r\r"
     "Bitte haben Sie etwas Geduld, und warten Sie, bis das Update abgeschlossen ist; eine Unterbrechung f\xFChrt nur zu l\xE4ngeren Ausfallzeiten."},
    {"str_lbCurrentStepTitle_Caption",
     "Aktueller Schritt:"},
    {"str_lbProgressDetailsTitle_Caption",
     "Statusdetails:"},
    {"str_txtCurrentStep_Caption_Initializing",
     "Initialisiere"},
    {"str_txtCurrentStep_Caption_Updating",
     "Aktualisiere %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "Herzlichen Gl\xFC" "ckwunsch!\r\r"
     "Sie haben diesen Server erfolgreich auf %s aktualisiert."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Fehler! Rufen Sie das Orvo Response Center an.\r\r"
     "Installation bei Schritt %s %s:\"%s\" mit der folgenden Meldung fehlgeschlagen:\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption",
     "%0.0n MB frei [%0.0d%%]"},
    {"str_btPrev_Caption",
     "< &Zur\xFC" "ck"},
    {"str_btNext_Caption_Next",
     "&Weiter >"},
    {"str_btNext_Caption_Start",
     "Start"},
    {"str_btExit_Caption",
     "&Beenden"},
    {"str_Title_Column_Updates",
     "Updates"},
    {"str_Title_Error",
     "Fehler"},
    {"str_Title_Warning",
     "Warnung"},
    {"str_Title_Information",
     "Information"},
    {"str_Message_No_Files_Matching",
     "Keine Dateien, die mit %s \xFC" "bereinstimmen "},
    {"str_Message_Generic_Error",
     "Das Programm kann aufgrund eines Konfigurations- oder Systemproblems nicht fortgesetzt werden."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "Update kann derzeit nicht gestartet werden, da eine Kopie des Update-Programmmoduls (%s) bereits ausgef\xFChrt wird."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "Fortsetzung nicht m\xF6glich; eine Kopie des Update-Programmmoduls (%s) muss unter \r"
     "%s zur Verf\xFCgung gestellt werden."},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "Das Update-Programmmodul (%s) arbeitet noch. Warten Sie, bis der Aktualisierungsvorgang abgeschlossen ist, bevor Sie die Anwendung schlie\xDF" "en."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "\"Verwaltungsmodus\" auf Haupt-Server %s kann nicht festgestellt werden.\r\r"
     "Vergewissern Sie sich, dass der Server eingeschaltet ist, und \xFC" "berpr\xFC" "fen Sie die Netzwerkberechtigungen."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "Update kann nicht gestartet werden, da sich das System nicht im  \"Verwaltungsmodus befindet\".\r\r"
     "Mit der Tessaron Administrator-Anwendung (TOLK) kann das System in den \"Verwaltungsmodus\" versetzt werden."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Es wird empfohlen, die Update-Dateien auf einem Festplattenlaufwerk des lokalen Servers zu speichern. Der ausgew\xE4hlte Ordner befindet sich nicht auf einem Festplattenlaufwerk.\r\r"
     "M\xF6" "chten Sie trotzdem fortfahren?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Einige Update-Dateien scheinen zu fehlen.\r\r"
     "M\xF6" "chten Sie trotzdem fortfahren?"},
    {"str_Message_No_Applicable_Updates_Available",
     "Im ausgew\xE4hlten Ordner sind keine anwendbaren Updates f\xFCr %s vorhanden."},
    {"str_Message_Server_Needs_Reboot",
     "Der Update-Prozess hat festgestellt, dass ein Server-Neustart erforderlich ist.\r\r"
     "1. Vergewissern Sie sich, dass keine anderen Server-Upgrades  auf diesen Server oder Server-Freigaben zugreifen.\r\r"
     "2. Starten Sie anschlie\xDF" "end den Server neu.\r"},
    {"str_Message_Error_Messages_Left_Out",
     "[%d Fehlermeldungen ausgelassen]"},
    {"str_Message_Cant_Start_Another_Update_Wizard_Running",
     "Update kann derzeit nicht gestartet werden, da ein anderer Update-Assistent auf diesem Server ein Update vorbereitet oder ausf\xFChrt."},
    {"str_Message_Folder_Name_Not_Supported",
     "Der Ordner %s kann nicht verwendet werden: Sein Name enth\xE4lt Zeichen (als ? dargestellt), die die Codepage dieses Systems nicht schreiben kann, und der Ordner hat keinen Kurznamen, der an seiner Stelle verwendet werden k\xF6nnte.\r\r"
     "Bitte w\xE4hlen Sie einen Ordner, dessen Name keine solchen Zeichen enth\xE4lt."},
}};
// clang-format on

}  // namespace core

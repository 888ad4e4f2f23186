// French (Francais) texts of the wizard.
// Windows-1252 bytes; letters outside ASCII are hex escapes (see LangRes.h), "\r" is a line
// break. Spaces are significant, double spaces included. Keys and order match the English table.
#include "core/LangRes.h"

namespace core {

// clang-format off
constinit const TLangTable FrenchTable = {{
    {"str_LauncherForm_Caption",
     "Utilitaire de mise \xE0 jour Tessaron"},
    {"str_lbServerVersionTitle_Caption",
     "Niveau de mise \xE0 jour actuel"},
    {"str_lbServerVersion_Caption",
     "%s %s a la version %s"},
    {"str_lbResponceCenter_Caption",
     "En cas de probl\xE8me, vous pouvez \xE0 tout moment contacter le Orvo Response Center."},
    {"str_lbUpdateSystemTitle_Caption",
     "Mettre \xE0 jour le syst\xE8me Tessaron"},
    {"str_lbUpdateSystemInfo_Caption",
     "Installe les derni\xE8res mises \xE0 jour sur votre syst\xE8me."},
    {"str_lbUpdateFilesPathTitle_Caption",
     "Veuillez indiquer l'emplacement de stockage des fichiers de mise \xE0 jour."},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Il est fortement recommand\xE9 de copier tous les fichiers de mise \xE0 jour de votre CD-Rom de mise \xE0 niveau vers un nouveau dossier du lecteur J: (ou tout autre volume de travail disposant de l'espace n\xE9" "cessaire)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption",
     "Chemin d'acc\xE8s aux mises \xE0 jour"},
    {"str_lbUpdateFileListTitle_Caption",
     "Liste de fichiers"},
    {"str_lbSnapshotDriveTitle_Caption",
     "Veuillez indiquer le lecteur cible pour l'instantan\xE9."},
    {"str_lbSnapshotDriveInfo_Caption",
     "Pour effectuer la mise \xE0 jour, un instantan\xE9 du syst\xE8me sera stock\xE9 sur votre serveur.\r\r"
     "S\xE9lectionnez un lecteur fixe avec le plus d'espace libre possible (g\xE9n\xE9ralement un lecteur de travail \"Jobs\").\r\r"
     "En cas de probl\xE8me grave, cet instantan\xE9 permet au Orvo Response Center de restaurer votre serveur."},
    {"str_lbAboutToInstallInfo1_Caption",
     "Remarque importante :"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Tous les services Tessaron sur cet ordinateur ainsi que les services Skerry sur les ordinateurs distants vont \xEAtre interrompus pendant la mise \xE0 niveau.\r\r"
     "Cliquez sur le bouton D\xE9marrer pour commencer la mise \xE0 niveau."},
    {"str_lbProgressTitle_Caption",
     "Progression %d%%"},
    {"str_lbProgressInfo_Caption",
     "La mise \xE0 niveau peut durer entre 10 et 60 minutes, en fonction du type de serveur et de la taille de votre base de donn\xE9" "es.\r\r"
     "Veuillez patienter jusqu'\xE0 la fin du processus ; son interruption risquerait d'augmenter le temps d'arr\xEAt du syst\xE8me."},
    {"str_lbCurrentStepTitle_Caption",
     "Etape en cours"},
    {"str_lbProgressDetailsTitle_Caption",
     "D\xE9tails de progression"},
    {"str_txtCurrentStep_Caption_Initializing",
     "Initialisation"},
    {"str_txtCurrentStep_Caption_Updating",
     "Mise \xE0 jour %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "F\xE9licitations !\r\r"
     "La mise \xE0 niveau de ce serveur vers %s a r\xE9ussi."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Erreur !  Veuillez contacter le Orvo Response Center.\r\r"
     "L'installation a \xE9" "chou\xE9 \xE0 l'\xE9tape %s %s:\"%s\", avec le message suivant :\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption",
     "%0.0n Mo disp. [%0.0d%%]"},
    {"str_btPrev_Caption",
     "< &Pr\xE9" "c"},
    {"str_btNext_Caption_Next",
     "&Suiv >"},
    {"str_btNext_Caption_Start",
     "D\xE9marrer"},
    {"str_btExit_Caption",
     "&Quitter"},
    {"str_Title_Column_Updates",
     "Mises \xE0 jour"},
    {"str_Title_Error",
     "Erreur"},
    {"str_Title_Warning",
     "Avertissement"},
    {"str_Title_Information",
     "Informations"},
    {"str_Message_No_Files_Matching",
     "Aucun fichier correspondant \xE0 %s"},
    {"str_Message_Generic_Error",
     "Le programme ne peut pas continuer en raison d'un probl\xE8me de configuration ou de syst\xE8me."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "Impossible de d\xE9marrer la mise \xE0 jour maintenant car une copie du moteur de l'utilitaire (%s) est en cours d'ex\xE9" "cution."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "Impossible de continuer. Une copie du moteur de l'utilitaire de mise \xE0 jour (%s) doit \xEAtre disponible dans :\r"
     "%s"},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "Le moteur de l'utilitaire de mise \xE0 jour (%s) est en cours d'ex\xE9" "cution. Laissez-le terminer la mise \xE0 jour avant de fermer l'application."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "Impossible de d\xE9terminer le mode \"Maintenance\" sur le serveur principal %s.\r\r"
     "Assurez-vous que le serveur est bien sous tension et v\xE9rifiez les autorisations r\xE9seau."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "Impossible de mettre \xE0 jour maintenant car le syst\xE8me n'est pas en \"mode Maintenance.\".\r\r"
     "L'application Tessaron Administrator (TOLK) permet de passer au mode \"Maintenance\"."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Il est recommand\xE9 de placer les fichiers de mise \xE0 jour sur un lecteur fixe de votre serveur local. Le dossier s\xE9lectionn\xE9 n'est pas sur un lecteur fixe.\r\r"
     "Voulez-vous continuer quand m\xEAme ?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Il semble que des fichiers de mise \xE0 jour manquent dans la s\xE9quence.\r\r"
     "Voulez-vous continuer quand m\xEAme ?"},
    {"str_Message_No_Applicable_Updates_Available",
     "Le dossier s\xE9lectionn\xE9 ne contient aucune mise \xE0 jour applicable pour %s."},
    {"str_Message_Server_Needs_Reboot",
     "Le processus de mise \xE0 jour demande le red\xE9marrage du serveur.\r\r"
     "1. Assurez-vous qu'aucune autre mise \xE0 niveau de serveur d\xE9pend de ce serveur ou de ses partages.\r\r"
     "2. Apr\xE8s cette v\xE9rification, red\xE9marrez le serveur.\r"},
    {"str_Message_Error_Messages_Left_Out",
     "[%d messages d'erreur omis]"},
    {"str_Message_Cant_Start_Another_Update_Wizard_Running",
     "Impossible de d\xE9marrer la mise \xE0 jour maintenant car un autre assistant de mise \xE0 jour pr\xE9pare ou ex\xE9" "cute une mise \xE0 jour sur ce serveur."},
    {"str_Message_Folder_Name_Not_Supported",
     "Le dossier %s ne peut pas \xEAtre utilis\xE9 : son nom contient des caract\xE8res (affich\xE9s comme ?) que la page de codes de ce syst\xE8me ne peut pas \xE9" "crire, et le dossier n'a pas de nom court \xE0 utiliser \xE0 sa place.\r\r"
     "Veuillez choisir un dossier dont le nom ne contient pas de tels caract\xE8res."},
}};
// clang-format on

}  // namespace core

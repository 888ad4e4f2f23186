// Spanish (Espanol) texts of the wizard.
// Windows-1252 bytes; letters outside ASCII are hex escapes (see LangRes.h), "\r" is a line
// break. Spaces are significant, double spaces included. Keys and order match the English table.
#include "core/LangRes.h"

namespace core {

// clang-format off
constinit const TLangTable SpanishTable = {{
    {"str_LauncherForm_Caption",
     "Utilidad de actualizaci\xF3n Tessaron"},
    {"str_lbServerVersionTitle_Caption",
     "Nivel de actualizaci\xF3n actual"},
    {"str_lbServerVersion_Caption",
     "%s %s a %s"},
    {"str_lbResponceCenter_Caption",
     "Asistencia permanente en el Centro de asistencia t\xE9" "cnica de Orvo."},
    {"str_lbUpdateSystemTitle_Caption",
     "Actualice el sistema Tessaron"},
    {"str_lbUpdateSystemInfo_Caption",
     "Instale las \xFAltimas actualizaciones en el sistema."},
    {"str_lbUpdateFilesPathTitle_Caption",
     "Especifique d\xF3nde se guardan las actualizaciones"},
    {"str_lbUpdateFilesPathInfo_Caption",
     "Recuerde que es muy conveniente copiar todos los archivos de la actualizaci\xF3n del CD de actualizaci\xF3n a la nueva carpeta  de la unidad J: (o cualquier otro volumen de Jobs con espacio libre suficiente)."},
    {"str_lbUpdateFilesPathEchoTitle_Caption",
     "Ruta a las actualizaciones"},
    {"str_lbUpdateFileListTitle_Caption",
     "Lista de archivos"},
    {"str_lbSnapshotDriveTitle_Caption",
     "Especifique la unidad de destino de la instant\xE1nea"},
    {"str_lbSnapshotDriveInfo_Caption",
     "Para realizar una actualizaci\xF3n, una instant\xE1nea del sistema quedar\xE1 almacenada en el servidor.\r\r"
     "Seleccione una unidad fija con la mayor cantidad de espacio libre, por lo general una unidad \"Jobs\".\r\r"
     "Si surgiese cualquier problema grave, el Centro de asistencia t\xE9" "cnica de Orvo podr\xE1 restablecer el servidor a partir de esta instant\xE1nea."},
    {"str_lbAboutToInstallInfo1_Caption",
     "Nota importante:"},
    {"str_lbAboutToInstallInfo2_Caption",
     "Todos los servicios Tessaron de este equipo as\xED como los servicios Skerry de equipos remotos se detendr\xE1n como parte de la actualizaci\xF3n.\r\r"
     "Pulse el bot\xF3n Start para comenzar la actualizaci\xF3n."},
    {"str_lbProgressTitle_Caption",
     "Progreso %d%%"},
    {"str_lbProgressInfo_Caption",
     "La actualizaci\xF3n puede tardar de 10 a 60 minutos, seg\xFAn el tipo de servidor y el tama\xF1o de la base de datos.\r\r"
     "Tenga paciencia y permita que la actualizaci\xF3n finalice correctamente, ya que su interrupci\xF3n puede dar lugar a un mayor tiempo de inactividad del sistema."},
    {"str_lbCurrentStepTitle_Caption",
     "Siguiente paso"},
    {"str_lbProgressDetailsTitle_Caption",
     "Detalles del progreso"},
    {"str_txtCurrentStep_Caption_Initializing",
     "Inicializando"},
    {"str_txtCurrentStep_Caption_Updating",
     "Actualizando %s"},
    {"str_txtCompletionStatusInfo_Caption_Success",
     "\xA1" "Enhorabuena!\r\r"
     "El servidor se ha actualizado correctamente a %s."},
    {"str_txtCompletionStatusInfo_Caption_Failed",
     "Error  P\xF3ngase en contacto con el Centro de asistencia t\xE9" "cnica de Orvo.\r\r"
     "La instalaci\xF3n dio error en el paso %s %s:\"%s\", con el mensaje siguiente:\r\r"
     "%s"},
    {"str_lbSnapshotDriveSizeInfo_Caption",
     "%0.0n MB libres [%0.0d%%]"},
    {"str_btPrev_Caption",
     "< &Ant"},
    {"str_btNext_Caption_Next",
     "&Siguiente >"},
    {"str_btNext_Caption_Start",
     "Iniciar"},
    {"str_btExit_Caption",
     "Sali&r"},
    {"str_Title_Column_Updates",
     "Actualizaciones"},
    {"str_Title_Error",
     "Error"},
    {"str_Title_Warning",
     "Advertencia"},
    {"str_Title_Information",
     "Informaci\xF3n"},
    {"str_Message_No_Files_Matching",
     "No hay correspondencia de archivos %s"},
    {"str_Message_Generic_Error",
     "El programa no puede continuar debido a un problema de configuraci\xF3n o del sistema."},
    {"str_Message_Cant_Start_Update_Utility_Engine_Already_Running",
     "No es posible empezar la actualizaci\xF3n en este momento, debido a que ya hay una copia del motor de la utilidad de actualizaci\xF3n en funcionamiento(%s)."},
    {"str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder",
     "No es posible continuar, porque debe haber una copia del motor de la utilidad de actualizaci\xF3n (%s) en:\r"
     "%s"},
    {"str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running",
     "El motor de la utilidad de actualizaci\xF3n (%s) sigue funcionando. Permita que se termine la actualizaci\xF3n antes de cerrar la aplicaci\xF3n."},
    {"str_Message_Cant_Determine_Remote_MaintenanceMode",
     "No es posible determinar \"Maintenance Mode\" en el servidor principal %s.\r\r"
     "Por favor aseg\xFArese de que el servidor est\xE9 encendido y compruebe los permisos de red."},
    {"str_Message_Cant_Start_System_Not_In_MaintenanceMode",
     "No es posible empezar la actualizaci\xF3n en este momento, debido a que el sistema no est\xE1 en \"Maintenance Mode\".\r\r"
     "La aplicaci\xF3n Tessaron Administrator (TOLK) puede utilizarse para pasar a \"Maintenance Mode\"."},
    {"str_Message_Recommend_Updates_On_Local_Server_Query_Continue",
     "Se recomienda mantener los archivos de actualizaci\xF3n en un disco duro fijo del servidor local.  La carpeta seleccionada no est\xE1 en un disco duro fijo.\r\r"
     "\xBF" "Desea continuar de todos modos?"},
    {"str_Message_Missing_Update_Files_Continue",
     "Faltan algunos archivos de actualizaci\xF3n en la secuencia.\r\r"
     "\xBF" "Desea continuar de todos modos?"},
    {"str_Message_No_Applicable_Updates_Available",
     "No hay actualizaciones v\xE1lidas de %s disponibles en la carpeta seleccionada."},
    {"str_Message_Server_Needs_Reboot",
     "El proceso de actualizaci\xF3n establece que es necesario volver a arrancar el servidor.\r\r"
     "1. Aseg\xFArese de que en otros servidores no haya actualizaciones que dependan de este servidor ni de cualquiera de sus recursos compartidos.\r\r"
     "2. Una vez comprobado, vuelva a arrancar este servidor.\r"},
    {"str_Message_Error_Messages_Left_Out",
     "[%d mensajes de error omitidos]"},
    {"str_Message_Cant_Start_Another_Update_Wizard_Running",
     "No es posible empezar la actualizaci\xF3n en este momento, debido a que otro asistente de actualizaci\xF3n est\xE1 preparando o ejecutando una actualizaci\xF3n en este servidor."},
    {"str_Message_Folder_Name_Not_Supported",
     "No se puede usar la carpeta %s: su nombre contiene caracteres (mostrados como ?) que la p\xE1gina de c\xF3" "digos de este sistema no puede escribir, y la carpeta no tiene un nombre corto que pueda usarse en su lugar.\r\r"
     "Elija una carpeta cuyo nombre no contenga tales caracteres."},
}};
// clang-format on

}  // namespace core

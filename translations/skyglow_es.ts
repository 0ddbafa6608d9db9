<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Skyglow</name>
    <message>
        <location filename="../app/SettingsReport.cpp" line="21"/>
        <source>%1: settings file %2 is damaged (%3); using the default settings</source>
        <translation>%1: el archivo de configuración %2 está dañado (%3); se usa la configuración predeterminada</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="25"/>
        <source>%1: settings file %2 belongs to another program (%3); ending without touching it</source>
        <translation>%1: el archivo de configuración %2 pertenece a otro programa (%3); se termina sin tocarlo</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="33"/>
        <source>The settings file
%1
is damaged: %2.

The settings shown are the defaults. OK replaces the file with the settings you choose; Cancel leaves it as it is.</source>
        <translation>El archivo de configuración
%1
está dañado: %2.

La configuración mostrada es la predeterminada. Aceptar sustituye el archivo por la configuración que elija; Cancelar lo deja como está.</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="39"/>
        <source>The settings file
%1
belongs to another program: %2.

%3 leaves that file as it is and ends. Move or rename it to keep the settings of %3 there.</source>
        <translation>El archivo de configuración
%1
pertenece a otro programa: %2.

%3 deja ese archivo como está y termina. Muévalo o cámbielo de nombre para guardar allí la configuración de %3.</translation>
    </message>
    <message>
        <location filename="../engine/LogoPicture.cpp" line="22"/>
        <location filename="../engine/SettingsFile.cpp" line="48"/>
        <source>Cannot open file %1</source>
        <translation>No se puede abrir el archivo %1</translation>
    </message>
    <message>
        <location filename="../engine/SettingsFile.cpp" line="128"/>
        <source>Cannot create file %1</source>
        <translation>No se puede crear el archivo %1</translation>
    </message>
    <message>
        <location filename="../engine/Tstars.cpp" line="210"/>
        <source>Not enough memory for %1 stars; a star field holds at most %2</source>
        <translation>No hay memoria suficiente para %1 estrellas; un campo de estrellas admite como máximo %2</translation>
    </message>
    <message>
        <location filename="../engine/Tstars.cpp" line="217"/>
        <source>Not enough memory for %1 stars</source>
        <translation>No hay memoria suficiente para %1 estrellas</translation>
    </message>
    <message>
        <location filename="../engine/Tvectord.cpp" line="29"/>
        <source>Not enough memory for %1 numbers (%2 MB)</source>
        <translation>No hay memoria suficiente para %1 números (%2 MB)</translation>
    </message>
</context>
<context>
    <name>Tallwick::TForm2</name>
    <message>
        <location filename="../app/PreviewWindow.cpp" line="30"/>
        <source>There is no window %1 to show the preview in</source>
        <translation>No existe la ventana %1 en la que mostrar la vista previa</translation>
    </message>
</context>
<context>
    <name>Tallwick::TForm3</name>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="61"/>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="88"/>
        <source>Display Batman logo</source>
        <translation>Ver el logo de Batman</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="96"/>
        <source>Background color:</source>
        <translation>Color de fondo:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="97"/>
        <source>Stars color:</source>
        <translation>Color de estrellas:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="98"/>
        <source>Text colors:</source>
        <translation>Colores del texto:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="99"/>
        <source>Number of stars:</source>
        <translation>Nº de estrellas:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="100"/>
        <source>Speep:</source>
        <translation>Velocidad:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="111"/>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="116"/>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="121"/>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="gl_ES">
<context>
    <name>Skyglow</name>
    <message>
        <location filename="../app/SettingsReport.cpp" line="21"/>
        <source>%1: settings file %2 is damaged (%3); using the default settings</source>
        <translation>%1: o ficheiro de configuración %2 está danado (%3); úsase a configuración predeterminada</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="25"/>
        <source>%1: settings file %2 belongs to another program (%3); ending without touching it</source>
        <translation>%1: o ficheiro de configuración %2 pertence a outro programa (%3); remátase sen tocalo</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="33"/>
        <source>The settings file
%1
is damaged: %2.

The settings shown are the defaults. OK replaces the file with the settings you choose; Cancel leaves it as it is.</source>
        <translation>O ficheiro de configuración
%1
está danado: %2.

A configuración amosada é a predeterminada. Aceptar substitúe o ficheiro pola configuración que escolla; Cancelar déixao como está.</translation>
    </message>
    <message>
        <location filename="../app/SettingsReport.cpp" line="39"/>
        <source>The settings file
%1
belongs to another program: %2.

%3 leaves that file as it is and ends. Move or rename it to keep the settings of %3 there.</source>
        <translation>O ficheiro de configuración
%1
pertence a outro programa: %2.

%3 deixa ese ficheiro como está e remata. Móvao ou cámbielle o nome para gardar alí a configuración de %3.</translation>
    </message>
    <message>
        <location filename="../engine/LogoPicture.cpp" line="22"/>
        <location filename="../engine/SettingsFile.cpp" line="48"/>
        <source>Cannot open file %1</source>
        <translation>Non se pode abrir o ficheiro %1</translation>
    </message>
    <message>
        <location filename="../engine/SettingsFile.cpp" line="128"/>
        <source>Cannot create file %1</source>
        <translation>Non se pode crear o ficheiro %1</translation>
    </message>
    <message>
        <location filename="../engine/Tstars.cpp" line="210"/>
        <source>Not enough memory for %1 stars; a star field holds at most %2</source>
        <translation>Non hai memoria abonda para %1 estrelas; un campo de estrelas admite como máximo %2</translation>
    </message>
    <message>
        <location filename="../engine/Tstars.cpp" line="217"/>
        <source>Not enough memory for %1 stars</source>
        <translation>Non hai memoria abonda para %1 estrelas</translation>
    </message>
    <message>
        <location filename="../engine/Tvectord.cpp" line="29"/>
        <source>Not enough memory for %1 numbers (%2 MB)</source>
        <translation>Non hai memoria abonda para %1 números (%2 MB)</translation>
    </message>
</context>
<context>
    <name>Tallwick::TForm2</name>
    <message>
        <location filename="../app/PreviewWindow.cpp" line="30"/>
        <source>There is no window %1 to show the preview in</source>
        <translation>Non existe a xanela %1 na que amosar a vista previa</translation>
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
        <translation>Ver o logo de Batman</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="96"/>
        <source>Background color:</source>
        <translation>Cor de fondo:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="97"/>
        <source>Stars color:</source>
        <translation>Cor das estrelas:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="98"/>
        <source>Text colors:</source>
        <translation>Cores do texto:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="99"/>
        <source>Number of stars:</source>
        <translation>Nº de estrelas:</translation>
    </message>
    <message>
        <location filename="../app/SettingsDialog.cpp" line="100"/>
        <source>Speep:</source>
        <translation>Velocidade:</translation>
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

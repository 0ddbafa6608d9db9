<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="gl_ES">
<context>
    <name>Tallwick</name>
    <message>
        <location filename="../platform/controls/ImageControl.cpp" line="37"/>
        <source>Can only modify an image if it contains a bitmap</source>
        <translation>Só se pode modificar unha imaxe se contén un mapa de bits</translation>
    </message>
    <message>
        <location filename="../platform/graphics/Bitmap.cpp" line="47"/>
        <location filename="../platform/graphics/Bitmap.cpp" line="84"/>
        <location filename="../imageio/PictureLimits.cpp" line="25"/>
        <source>Cannot create a bitmap of %1 x %2 pixels</source>
        <translation>Non se pode crear un mapa de bits de %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../platform/graphics/FileReplace.cpp" line="17"/>
        <source>Cannot create file %1: %2</source>
        <translation>Non se pode crear o ficheiro %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="31"/>
        <source>Corrupt BMP file %1: %2</source>
        <translation>Ficheiro BMP danado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="62"/>
        <location filename="../imageio/BmpCodec.cpp" line="72"/>
        <source>not a BMP file</source>
        <translation>non é un ficheiro BMP</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="90"/>
        <source>unknown header</source>
        <translation>cabeceira descoñecida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="132"/>
        <source>unsupported compression %1</source>
        <translation>compresión %1 non admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="134"/>
        <source>unsupported depth of %1 bits</source>
        <translation>profundidade de %1 bits non admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="136"/>
        <source>no pixel data</source>
        <translation>non hai datos de píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="148"/>
        <location filename="../imageio/BmpCodec.cpp" line="153"/>
        <source>the file is truncated</source>
        <translation>o ficheiro está cortado</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="216"/>
        <source>Cannot create a bitmap for %1</source>
        <translation>Non se pode crear un mapa de bits para %1</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="236"/>
        <source>no header</source>
        <translation>non hai cabeceira</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="274"/>
        <source>Cannot encode BMP: %1</source>
        <translation>Non se pode codificar BMP: %1</translation>
    </message>
    <message>
        <location filename="../imageio/EmfPlayer.cpp" line="23"/>
        <location filename="../imageio/MetafilePlayer.cpp" line="17"/>
        <location filename="../imageio/WmfPlayer.cpp" line="23"/>
        <source>unrecognized WMF or EMF</source>
        <translation>WMF ou EMF non recoñecido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="44"/>
        <source>unrecognized GIF</source>
        <translation>GIF non recoñecido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="197"/>
        <source>Cannot encode GIF</source>
        <translation>Non se pode codificar GIF</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="70"/>
        <source>No bitmap is attached for picture files</source>
        <translation>Non hai ningún mapa de bits asociado para os ficheiros de imaxe</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="85"/>
        <source>Cannot save %1: these formats are read only</source>
        <translation>Non se pode gardar %1: estes formatos son só de lectura</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="89"/>
        <source>Cannot save an empty picture to %1</source>
        <translation>Non se pode gardar unha imaxe baleira en %1</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="15"/>
        <source>No bitmap is attached to rotate</source>
        <translation>Non hai ningún mapa de bits asociado que xirar</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="18"/>
        <source>Cannot rotate by %1 degrees</source>
        <translation>Non se pode xirar %1 graos</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="155"/>
        <source>empty file</source>
        <translation>ficheiro baleiro</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="156"/>
        <source>Corrupt JPEG file %1: %2</source>
        <translation>Ficheiro JPEG danado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="178"/>
        <source>Cannot encode JPEG: %1</source>
        <translation>Non se pode codificar JPEG: %1</translation>
    </message>
    <message>
        <location filename="../imageio/MetafilePlayer.cpp" line="40"/>
        <source>Cannot draw a metafile at %1 x %2 pixels</source>
        <translation>Non se pode debuxar un metaficheiro a %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/PcxCodec.cpp" line="28"/>
        <source>unrecognized PCX</source>
        <translation>PCX non recoñecido</translation>
    </message>
    <message>
        <location filename="../imageio/PictureFile.cpp" line="14"/>
        <source>Cannot open file %1</source>
        <translation>Non se pode abrir o ficheiro %1</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="92"/>
        <source>unrecognized TIFF</source>
        <translation>TIFF non recoñecido</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="152"/>
        <location filename="../imageio/TiffCodec.cpp" line="171"/>
        <source>Cannot encode TIFF</source>
        <translation>Non se pode codificar TIFF</translation>
    </message>
    <message>
        <location filename="../components/Diskinfo.cpp" line="111"/>
        <source>No drive given: name a drive by its letter (C for the root file system) or by its mount point</source>
        <translation>Non se indicou ningunha unidade: nomee unha unidade pola súa letra (C para o sistema de ficheiros raíz) ou polo seu punto de montaxe</translation>
    </message>
</context>
</TS>

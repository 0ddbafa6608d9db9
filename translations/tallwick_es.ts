<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Tallwick</name>
    <message>
        <location filename="../platform/controls/ImageControl.cpp" line="37"/>
        <source>Can only modify an image if it contains a bitmap</source>
        <translation>Solo se puede modificar una imagen si contiene un mapa de bits</translation>
    </message>
    <message>
        <location filename="../platform/graphics/Bitmap.cpp" line="47"/>
        <location filename="../platform/graphics/Bitmap.cpp" line="84"/>
        <location filename="../imageio/PictureLimits.cpp" line="25"/>
        <source>Cannot create a bitmap of %1 x %2 pixels</source>
        <translation>No se puede crear un mapa de bits de %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../platform/graphics/FileReplace.cpp" line="17"/>
        <source>Cannot create file %1: %2</source>
        <translation>No se puede crear el archivo %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="31"/>
        <source>Corrupt BMP file %1: %2</source>
        <translation>Archivo BMP dañado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="62"/>
        <location filename="../imageio/BmpCodec.cpp" line="72"/>
        <source>not a BMP file</source>
        <translation>no es un archivo BMP</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="90"/>
        <source>unknown header</source>
        <translation>cabecera desconocida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="132"/>
        <source>unsupported compression %1</source>
        <translation>compresión %1 no admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="134"/>
        <source>unsupported depth of %1 bits</source>
        <translation>profundidad de %1 bits no admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="136"/>
        <source>no pixel data</source>
        <translation>no hay datos de píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="148"/>
        <location filename="../imageio/BmpCodec.cpp" line="153"/>
        <source>the file is truncated</source>
        <translation>el archivo está cortado</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="216"/>
        <source>Cannot create a bitmap for %1</source>
        <translation>No se puede crear un mapa de bits para %1</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="236"/>
        <source>no header</source>
        <translation>no hay cabecera</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="274"/>
        <source>Cannot encode BMP: %1</source>
        <translation>No se puede codificar BMP: %1</translation>
    </message>
    <message>
        <location filename="../imageio/EmfPlayer.cpp" line="23"/>
        <location filename="../imageio/MetafilePlayer.cpp" line="17"/>
        <location filename="../imageio/WmfPlayer.cpp" line="23"/>
        <source>unrecognized WMF or EMF</source>
        <translation>WMF o EMF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="44"/>
        <source>unrecognized GIF</source>
        <translation>GIF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="197"/>
        <source>Cannot encode GIF</source>
        <translation>No se puede codificar GIF</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="70"/>
        <source>No bitmap is attached for picture files</source>
        <translation>No hay ningún mapa de bits asociado para los archivos de imagen</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="85"/>
        <source>Cannot save %1: these formats are read only</source>
        <translation>No se puede guardar %1: estos formatos son de solo lectura</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="89"/>
        <source>Cannot save an empty picture to %1</source>
        <translation>No se puede guardar una imagen vacía en %1</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="15"/>
        <source>No bitmap is attached to rotate</source>
        <translation>No hay ningún mapa de bits asociado que girar</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="18"/>
        <source>Cannot rotate by %1 degrees</source>
        <translation>No se puede girar %1 grados</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="155"/>
        <source>empty file</source>
        <translation>archivo vacío</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="156"/>
        <source>Corrupt JPEG file %1: %2</source>
        <translation>Archivo JPEG dañado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="178"/>
        <source>Cannot encode JPEG: %1</source>
        <translation>No se puede codificar JPEG: %1</translation>
    </message>
    <message>
        <location filename="../imageio/MetafilePlayer.cpp" line="40"/>
        <source>Cannot draw a metafile at %1 x %2 pixels</source>
        <translation>No se puede dibujar un metarchivo a %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/PcxCodec.cpp" line="28"/>
        <source>unrecognized PCX</source>
        <translation>PCX no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/PictureFile.cpp" line="14"/>
        <source>Cannot open file %1</source>
        <translation>No se puede abrir el archivo %1</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="92"/>
        <source>unrecognized TIFF</source>
        <translation>TIFF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="152"/>
        <location filename="../imageio/TiffCodec.cpp" line="171"/>
        <source>Cannot encode TIFF</source>
        <translation>No se puede codificar TIFF</translation>
    </message>
    <message>
        <location filename="../components/Diskinfo.cpp" line="111"/>
        <source>No drive given: name a drive by its letter (C for the root file system) or by its mount point</source>
        <translation>No se indicó ninguna unidad: nombre una unidad por su letra (C para el sistema de archivos raíz) o por su punto de montaje</translation>
    </message>
</context>
</TS>

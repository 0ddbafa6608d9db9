<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Tallwick</name>
    <message>
        <location filename="../platform/controls/ImageControl.cpp" line="36" />
        <source>Can only modify an image if it contains a bitmap</source>
        <translation>Solo se puede modificar una imagen si contiene un mapa de bits</translation>
    </message>
    <message>
        <location filename="../platform/graphics/Bitmap.cpp" line="47" />
        <location filename="../platform/graphics/Bitmap.cpp" line="83" />
        <location filename="../imageio/PictureLimits.cpp" line="24" />
        <source>Cannot create a bitmap of %1 x %2 pixels</source>
        <translation>No se puede crear un mapa de bits de %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../platform/graphics/FileReplace.cpp" line="17" />
        <source>Cannot create file %1</source>
        <translation>No se puede crear el archivo %1</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="31" />
        <source>Corrupt BMP file %1: %2</source>
        <translation>Archivo BMP dañado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="61" />
        <location filename="../imageio/BmpCodec.cpp" line="71" />
        <source>not a BMP file</source>
        <translation>no es un archivo BMP</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="89" />
        <source>unknown header</source>
        <translation>cabecera desconocida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="131" />
        <source>unsupported compression %1</source>
        <translation>compresión %1 no admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="133" />
        <source>unsupported depth of %1 bits</source>
        <translation>profundidad de %1 bits no admitida</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="135" />
        <source>no pixel data</source>
        <translation>no hay datos de píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="147" />
        <location filename="../imageio/BmpCodec.cpp" line="152" />
        <source>the file is truncated</source>
        <translation>el archivo está cortado</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="215" />
        <source>Cannot create a bitmap for %1</source>
        <translation>No se puede crear un mapa de bits para %1</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="234" />
        <source>no header</source>
        <translation>no hay cabecera</translation>
    </message>
    <message>
        <location filename="../imageio/BmpCodec.cpp" line="271" />
        <source>Cannot encode BMP: %1</source>
        <translation>No se puede codificar BMP: %1</translation>
    </message>
    <message>
        <location filename="../imageio/EmfPlayer.cpp" line="22" />
        <location filename="../imageio/MetafilePlayer.cpp" line="16" />
        <location filename="../imageio/WmfPlayer.cpp" line="22" />
        <source>unrecognized WMF or EMF</source>
        <translation>WMF o EMF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="44" />
        <source>unrecognized GIF</source>
        <translation>GIF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/GifCodec.cpp" line="197" />
        <source>Cannot encode GIF</source>
        <translation>No se puede codificar GIF</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="69" />
        <source>No bitmap is attached for picture files</source>
        <translation>No hay ningún mapa de bits asociado para los archivos de imagen</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="83" />
        <source>Cannot save WMF or EMF: these formats are read only</source>
        <translation>No se puede guardar WMF ni EMF: estos formatos son de solo lectura</translation>
    </message>
    <message>
        <location filename="../imageio/ImageIO.cpp" line="88" />
        <source>Cannot save an empty picture to %1</source>
        <translation>No se puede guardar una imagen vacía en %1</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="15" />
        <source>No bitmap is attached to rotate</source>
        <translation>No hay ningún mapa de bits asociado que girar</translation>
    </message>
    <message>
        <location filename="../imageio/ImageProc.cpp" line="17" />
        <source>Cannot rotate by %1 degrees</source>
        <translation>No se puede girar %1 grados</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="154" />
        <source>empty file</source>
        <translation>archivo vacío</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="156" />
        <source>Corrupt JPEG file %1: %2</source>
        <translation>Archivo JPEG dañado %1: %2</translation>
    </message>
    <message>
        <location filename="../imageio/JpegCodec.cpp" line="177" />
        <source>Cannot encode JPEG: %1</source>
        <translation>No se puede codificar JPEG: %1</translation>
    </message>
    <message>
        <location filename="../imageio/MetafilePlayer.cpp" line="37" />
        <source>Cannot draw a metafile at %1 x %2 pixels</source>
        <translation>No se puede dibujar un metarchivo a %1 x %2 píxeles</translation>
    </message>
    <message>
        <location filename="../imageio/PcxCodec.cpp" line="28" />
        <source>unrecognized PCX</source>
        <translation>PCX no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/PictureFile.cpp" line="13" />
        <source>Cannot open file %1</source>
        <translation>No se puede abrir el archivo %1</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="91" />
        <source>unrecognized TIFF</source>
        <translation>TIFF no reconocido</translation>
    </message>
    <message>
        <location filename="../imageio/TiffCodec.cpp" line="150" />
        <location filename="../imageio/TiffCodec.cpp" line="169" />
        <source>Cannot encode TIFF</source>
        <translation>No se puede codificar TIFF</translation>
    </message>
    <message>
        <location filename="../components/Diskinfo.cpp" line="112" />
        <source>No drive given: name a drive by its letter (C for the root file system) or by its mount point</source>
        <translation>No se indicó ninguna unidad: nombre una unidad por su letra (C para el sistema de archivos raíz) o por su punto de montaje</translation>
    </message>
</context>
</TS>

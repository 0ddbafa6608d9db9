// A TDiskInfo example: the kind, label, file system, serial number and sizes of every drive,
// one row each. TDiskInfo is not visual: it is created and asked in code.
#include <Tallwick/Diskinfo.h>
#include <Tallwick/Exception.h>

#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QTableWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TDiskInfo info;
    const QStringList drives = info.AvailableDrives();
    const QStringList headers = {"Drive", "Mounted on", "Kind", "Label", "File system", "Serial", "Size", "Free"};
    QTableWidget table(int(drives.size()), int(headers.size()));
    table.setWindowTitle(QStringLiteral("TDiskInfo example"));
    table.setHorizontalHeaderLabels(headers);
    table.verticalHeader()->hide();
    const auto size = [](qint64 bytes) {
        return bytes < 0 ? QStringLiteral("?") : QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
    };
    for (int row = 0; row < drives.size(); ++row) {
        try {
            info.SetDrive(drives[row]);  // reads the facts of that drive
        } catch (const Tallwick::Exception& error) {
            table.setItem(row, 0, new QTableWidgetItem(error.Message));
            continue;
        }
        const QStringList values = {info.Drive(),           info.MountPoint(),     info.DriveType(),
                                    info.VolumeName(),      info.FileSystem(),     info.SerialNumberStr(),
                                    size(info.DriveSize()), size(info.DriveFree())};
        for (int column = 0; column < values.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(values[column]));
    }
    table.resizeColumnsToContents();
    table.resize(720, 240);
    table.show();
    return app.exec();
}

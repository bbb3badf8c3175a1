#include "com_state.h"

#include <QDir>

namespace hm {

QString COM_APPNAME;
QString COM_APPVERSION;
QString COM_PATH;
QString COM_PRJNAME;
QString COM_PRJFILE;
ProjectFile COM_BINFILE;
COM_BINREC COM_BINDATA;
bool COM_TAPEERROR = false;

const QString COM_APP_DESC = QStringLiteral(
    "Hollowmere is a tool that facilitates the process of building a set of small storage bins "
    "that "
    "would usually be mounted on a wall. Their typical use is to hold collections of small parts "
    "that "
    "would be used in a garage, workshop, or similar settings. The bins will usually be "
    "constructed of "
    "wood or man-made composites.");

const QString COM_COPYRIGHT =
    QStringLiteral("Copyright \u00A9 2026 Quorvale. All rights reserved.");

const QString COM_FILECHARS =
    QStringLiteral("1234567890_-abcedfghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");

const QString COM_HINT_COPYRIGHT = QStringLiteral(
    "Product Disclaimer\r\n\r\nUse this application at your own risk. I cannot be held\r\nliable "
    "under any circumstances for failure of this\r\napplication to meet your needs. By using this "
    "software,\r\nyou assume all liabilities.\r\n\r\nWarranties, Limitations, and Liabilities are "
    "presented\r\nin the most recent copy of the LICENSE which can be accessed\r\nby Clicking "
    "LICENSE "
    "(at the left)");

const QString COM_HINT_EULA = QStringLiteral(
    "License Agreement:\r\n\r\nThis is a reminder that you have agreed to assume \r\nall "
    "responsibilities and liabilities for installation and \r\nuse of this software.\r\n\r\nThe "
    "most "
    "recent copy of the LICENSE is available \r\nby Clicking here.");

QString projectFilePath(const QString& folder, const QString& name) {
  return folder + QDir::separator() + name + QStringLiteral(".dat");
}

}  // namespace hm

#pragma once

#include "project_file.h"
#include "project_record.h"

#include <QString>

#include <cstdint>

// The state every window shares, one instance each for the whole run.
namespace hm {

extern QString COM_APPNAME;      // the application title, "Hollowmere"
extern QString COM_APPVERSION;   // the version text of GetAppVersion
extern QString COM_PATH;         // the data folder; empty while none is chosen
extern QString COM_PRJNAME;      // the current project's name
extern QString COM_PRJFILE;      // the current project's file
extern ProjectFile COM_BINFILE;  // the project file while the layout window holds it open
extern COM_BINREC COM_BINDATA;   // the current project record in memory
extern bool COM_TAPEERROR;       // set when the last tape check rejected its text

// Width in pixels of one status-bar cell.
inline constexpr std::int16_t COM_VERBAR = 80;

extern const QString COM_APP_DESC;
extern const QString COM_COPYRIGHT;
extern const QString COM_FILECHARS;
extern const QString COM_HINT_COPYRIGHT;
extern const QString COM_HINT_EULA;

// The project file of a project name in the data folder.
QString projectFilePath(const QString& folder, const QString& name);

}  // namespace hm

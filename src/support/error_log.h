#pragma once

#include <QString>
#include <QStringList>

// The error log: failures of the background work, one time-stamped line each. It lives in memory
// for the whole run, is read back from the data folder whenever that folder is established and
// written there once, when the project window closes.
namespace hm {

// The entries, oldest first.
extern QStringList ERRLOG;
// The log file: data folder + separator + application name + ".log"; empty until the folder is
// known, and then nothing is ever written.
extern QString ERRFILENAME;
// The advice that follows the failure text in every "Possible Bug?" warning.
extern const QString ERRIGNORE;

// Starts the run with an empty log.
void DefineErrLog();

// Replaces the entries by the lines of ERRFILENAME; true when there is at least one. A missing
// file, or one that cannot be read (a folder in its place, say), leaves the log empty.
bool OpenErrLog();

// Adds "yyyy-mm-dd hh:nn unit section message" with the local time of the call. With AShow the
// user first sees the message alone in a plain box.
void LogError(const QString& AUnit, const QString& ASect, const QString& AMsg, bool AShow);

// Replaces ERRFILENAME with the entries, one per line, and empties the log. Never reports and
// never throws: the program is closing and the entries are simply lost if the write fails.
void CloseErrLog() noexcept;

// After a support request went out: empties the log, and its file when that is known. The project
// window reads the file again at every activation, so emptying the memory alone would offer the
// same errors again as soon as the support window has closed. Never reports, like CloseErrLog.
void ClearErrLog() noexcept;

// Logs the failure and warns the user that updates are unavailable until it is resolved.
void CustomErr(const QString& AUnit, const QString& ASect, const QString& AErr);

}  // namespace hm

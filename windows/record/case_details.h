#pragma once

#include <QObject>
#include <QString>

#include "core/record.h"

// The case details that every record of this run carries in its header. The expert's name and
// organisation are remembered between runs in the user's settings (QSettings: under the XDG
// config folder on Linux, the native place on Windows); the case number and the note last
// until the program closes. Settings that cannot be read or written never stop the program:
// the details are then kept for this run only.
namespace record {

class CaseDetailsStore : public QObject {
    Q_OBJECT
public:
    // The program's one store; the first call reads the remembered details.
    static CaseDetailsStore& Current();

    const core::CaseDetails& Details() const { return details_; }

    // Takes all four details and writes the name and the organisation to the settings when
    // they changed. Returns whether those two are remembered for later runs; when not, they
    // still stand for this run.
    bool Set(const core::CaseDetails& details);

    // As at a new start of the program: the name and organisation read again from the
    // settings, no case number and no note.
    void Reload();

    // Where the settings are kept: a file, or a registry key on Windows.
    static QString SettingsPlace();

signals:
    void changed();

private:
    CaseDetailsStore();
    core::CaseDetails details_;
    core::CaseDetails remembered_; // the name and organisation as the settings hold them
};

// A record's header as of now: the case details of the store, the local time with its zone,
// the program and its version.
core::RecordOrigin OriginNow();

} // namespace record

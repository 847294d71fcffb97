#include "windows/record/case_details.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSettings>

#include "windows/shared/text.h"

namespace record {

namespace {

// One settings file (or registry key) of the program's own, whoever started it.
QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kvarnet"),
                     QStringLiteral("kvarnet"));
}

const QString kExpert = QStringLiteral("case/expert");
const QString kOrganisation = QStringLiteral("case/organisation");

} // namespace

CaseDetailsStore::CaseDetailsStore() {
    Reload();
}

CaseDetailsStore& CaseDetailsStore::Current() {
    static CaseDetailsStore* store = new CaseDetailsStore; // lives as long as the program
    return *store;
}

void CaseDetailsStore::Reload() {
    const QSettings settings = Settings();
    // A value that is no text (a hand-edited file) counts as none.
    remembered_ = {};
    remembered_.expert = shared::Std(settings.value(kExpert).toString());
    remembered_.organisation = shared::Std(settings.value(kOrganisation).toString());
    details_ = remembered_;
    emit changed();
}

bool CaseDetailsStore::Set(const core::CaseDetails& details) {
    details_ = details;
    emit changed();
    if (details.expert == remembered_.expert && details.organisation == remembered_.organisation)
        return true;
    QSettings settings = Settings();
    settings.setValue(kExpert, shared::Q(details.expert));
    settings.setValue(kOrganisation, shared::Q(details.organisation));
    settings.sync();
    if (settings.status() != QSettings::NoError) return false;
    remembered_.expert = details.expert;
    remembered_.organisation = details.organisation;
    return true;
}

QString CaseDetailsStore::SettingsPlace() {
    return Settings().fileName();
}

core::RecordOrigin OriginNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {CaseDetailsStore::Current().Details(),
            core::LocalTime{date.year(), date.month(), date.day(), time.hour(), time.minute(),
                            time.second(), now.offsetFromUtc() / 60},
            "«" + std::string(core::kProgramName) + "»",
            shared::Std(QCoreApplication::applicationVersion())};
}

} // namespace record

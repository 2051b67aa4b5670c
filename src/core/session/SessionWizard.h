#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/AppPreferences.h"
#include "core/platform/FreeSpace.h"
#include "core/platform/UserDefaults.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace velmora {

class AppDataStore;
class RecentFilesStore;

// One switchable section offered by the wizard.
struct LaunchModuleCard {
    QString id; // the defaultKey of the menu section
    QString displayName;
    QString icon;
    bool isEnabled = true;

    friend bool operator==(const LaunchModuleCard&, const LaunchModuleCard&) = default;
};

// What the company step writes into the session.
struct WizardCompanyIdentity {
    QString displayName;
    QString ownerName;
    QString legalStatus;
    QString siret;
    QString addressLine1;
    QString addressLine2;
    std::optional<QUrl> logo;
    // The ticked payment methods, offered by the payment sheets.
    QStringList acceptedPaymentMethods;
};

// The eight-step creation of a new session. Each step writes into the store
// as the user goes; the last one marks onboarding done and lists the file.
// The code and question steps are the security models' own; the wizard only
// hears whether they succeeded.
class SessionWizard : public QObject {
    Q_OBJECT

public:
    enum class Step {
        appearance = 1,
        identity,
        location,
        accessCode,
        securityQuestions,
        modules,
        company,
        end,
    };

    struct Services {
        AppDataStore& store;
        RecentFilesStore& recentFiles;
        UserDefaults& userDefaults;
        const FreeSpace& freeSpace;
    };

    static QString completedKey() { return QStringLiteral("hasCompletedOnboarding"); }
    // Below this many free bytes a folder is refused for a new session.
    static constexpr qint64 minimumFreeBytes = 50 * 1024 * 1024;

    static QString title(Step step);
    static QString text(Step step);
    static QStringList presetImageNames();
    static FilePanel locationPanel();
    static QString insufficientSpaceMessage() {
        return QStringLiteral("Espace insuffisant (moins de 50 Mo disponibles).");
    }

    explicit SessionWizard(Services services, QObject* parent = nullptr);

    // Empties the store into a new session, forgets the default file and
    // every answer, and shows the first step.
    void start();
    // Gives the creation up (another session is being opened, or the
    // application quits).
    void abandon();

    bool inProgress() const { return m_inProgress; }
    Step step() const { return m_step; }
    int stepNumber() const { return int(m_step); }
    // The message under the current step; empty when none.
    const QString& error() const { return m_error; }
    void back();

    // 1. Appearance
    void setAppearance(AppAppearanceMode mode);
    void continueFromAppearance();

    // 2. Identity
    void setSessionName(const QString& name);
    const QString& sessionName() const { return m_sessionName; }
    void choosePhoto(const QByteArray& photo);
    // False for a name that is not one of the preset pictures.
    bool choosePresetImage(const QString& name);
    void removeImage();
    const std::optional<QByteArray>& photo() const { return m_photo; }
    const std::optional<QString>& presetImage() const { return m_presetImage; }
    bool canContinueFromIdentity() const;
    bool continueFromIdentity();

    // 3. Location
    // Keeps the file unless its volume is known to hold less than 50 Mo.
    bool chooseLocation(const QUrl& file);
    const std::optional<QUrl>& location() const { return m_location; }
    // Makes the file the session's own and writes the session into it.
    bool continueFromLocation();

    // 4 and 5. The security step models validate, write and save; the
    // wizard is told how that went: a failure's message stays under the
    // step, a success moves on.
    bool finishAccessCode(const Result<>& outcome);
    // "Continuer sans code": the questions, useless without a code, are
    // skipped.
    bool finishWithoutCode(const Result<>& outcome);
    bool finishSecurityQuestions(const Result<>& outcome);

    // 6. Modules
    QList<LaunchModuleCard> modules() const;
    void setModuleEnabled(const QString& id, bool enabled);
    void continueFromModules();

    // 7. Company. The settings' rules apply: a refused field leaves the
    // step with its message.
    bool saveCompany(const WizardCompanyIdentity& identity);
    void skipCompany();

    // 8. "Commencer"
    bool finish();

signals:
    void stepChanged();
    void errorChanged();
    void inProgressChanged(bool inProgress);
    // The session is created and listed; the main window opens.
    void finished();

private:
    void goTo(Step step);
    bool advanceOn(const Result<>& outcome, Step next);
    void setError(const QString& message);
    void setInProgress(bool inProgress);
    bool show(const Result<>& saved);

    Services m_services;
    bool m_inProgress = false;
    Step m_step = Step::appearance;
    QString m_error;
    QString m_sessionName;
    std::optional<QByteArray> m_photo;
    std::optional<QString> m_presetImage;
    std::optional<QUrl> m_location;
};

} // namespace velmora

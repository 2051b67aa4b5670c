#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/SecurityRecords.h"

#include <QDateTime>
#include <QUrl>

#include <optional>

namespace velmora {

class SessionEdit;

// How a tool is named where its name is blank.
QString externalToolDisplayName(const ExternalTool& tool);
// "Supprimer l’outil ?", naming what goes with it.
Alert externalToolDeletion(const ExternalTool& tool);
Result<> deleteExternalTool(SessionEdit& edit, const QUuid& toolID);
// The web address to open: https added to a bare host; none for a blank
// address or one that is not a web page (a script, a file).
std::optional<QUrl> externalToolAddress(const ExternalTool& tool);

// The form of a tool. A name is not required; the password is kept exactly
// as typed, surrounding spaces included, since a key may hold them.
class ExternalToolForm {
public:
    static QString notFoundMessage() { return QStringLiteral("Cet outil n'existe plus."); }

    // A new tool created at `now`.
    explicit ExternalToolForm(const QDateTime& now);
    explicit ExternalToolForm(const ExternalTool& tool);

    bool isNew() const { return m_isNew; }
    void setTag(const QUuid& tagID, bool on);
    // The record as saved: name, login, address and notes trimmed.
    ExternalTool written() const;
    // Adds or replaces the tool (tags the session does not know are left
    // out); `unchanged` when nothing differs.
    Result<> apply(SessionEdit& edit);

    ExternalTool fields;

private:
    bool m_isNew = true;
};

} // namespace velmora

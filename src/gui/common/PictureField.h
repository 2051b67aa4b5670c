#pragma once

#include "core/Result.h"
#include "core/store/AppDataStore.h"
#include "core/store/MediaChoice.h"

#include <QByteArray>
#include <QPixmap>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace velmora::gui {

class Dialogs;

// The picture of a form's record (a photo, a logo): the picture, "Choisir…"
// and "Retirer". A chosen file is shown from where it is and copied into the
// session's media only when the record is saved; the picture the record no
// longer shows leaves the media with that save.
class PictureField : public QWidget {
    Q_OBJECT

public:
    struct Texts {
        QString name;    // prefixes the buttons: NAMEChoose, NAMERemove
        QString choose;  // "Choisir une photo…"
        QString panel;   // "Choisir une photo"
        QString remove;  // the accessible name of "Retirer"
        QString prefix;  // of the copy's name in the media folder
        QString failure; // "La photo « %1 » n’a pas pu être copiée dans la session."
        QString extensions = QStringLiteral("png jpg jpeg webp heic");
    };
    using Preview = std::function<QPixmap(const std::optional<QByteArray>& bytes)>;

    // `url` is the record's field, kept up to date with what is shown.
    PictureField(Dialogs& dialogs, std::optional<QUrl>& url, Texts texts, Preview preview,
                 QWidget* parent);

    QPushButton* chooseButton() const { return m_choose; }
    // Draws the picture again (the name its initial comes from changed).
    void refresh();

    // Saves the record with `apply` in one edit that also settles the
    // picture; on failure the field shows again what the user chose.
    template <class Apply> Result<> save(AppDataStore& store, Apply&& apply) {
        const Result<> outcome = store.edit([&](SessionEdit& edit) -> Result<> {
            const Result<std::optional<QUrl>> kept =
                m_choice.settle(edit, m_texts.prefix, m_texts.failure);
            if (!kept)
                return kept;
            m_url = kept.value();
            return apply(edit);
        });
        if (outcome.ok())
            m_choice.saved(m_url);
        else
            m_url = m_choice.shown();
        return outcome;
    }

    // The bytes of a picture on the disk, or nothing when it cannot be read.
    static std::optional<QByteArray> bytesOf(const std::optional<QUrl>& url);

private:
    void choose();

    Dialogs& m_dialogs;
    std::optional<QUrl>& m_url;
    Texts m_texts;
    Preview m_preview;
    MediaChoice m_choice;
    QLabel* m_picture = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
};

} // namespace velmora::gui

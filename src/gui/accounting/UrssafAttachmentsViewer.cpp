#include "gui/accounting/UrssafAttachmentsViewer.h"

#include "core/accounting/UrssafAttachments.h"
#include "core/accounting/UrssafDeclarationList.h"
#include "core/documents/DocumentPdfExport.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentPreview.h"
#include "gui/common/Theme.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::gui {

UrssafAttachmentsViewer::UrssafAttachmentsViewer(const SectionServices& services,
                                                 const URSSAFDeclaration& declaration,
                                                 QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("urssafAttachments"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    const QString period = urssafDeclarationPeriodText(declaration);
    setWindowTitle(UrssafListTexts::viewFiles() + QStringLiteral(" — ") + period);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(theme::label(QStringLiteral("Fichiers joints — ") + period, "section", this));

    const QList<UrssafAttachment> files = urssafAttachments(declaration);
    if (files.isEmpty()) {
        auto* none = theme::label(UrssafListTexts::noFiles(), "subtitle", this);
        none->setObjectName(QStringLiteral("urssafAttachmentsNone"));
        none->setAlignment(Qt::AlignCenter);
        layout->addWidget(none, 1);
    } else {
        auto* tabs = new QTabWidget(this);
        tabs->setObjectName(QStringLiteral("urssafAttachmentsTabs"));
        tabs->setDocumentMode(true);
        for (int i = 0; i < files.size(); ++i) {
            QWidget* shown = page(files[i].file, i);
            tabs->addTab(shown, files[i].label);
            auto* saveAs = new QPushButton(UrssafListTexts::saveFileAs(), shown);
            saveAs->setObjectName(QStringLiteral("urssafAttachmentSave_%1").arg(i));
            saveAs->setAutoDefault(false);
            connect(saveAs, &QPushButton::clicked, this, [this, file = files[i]] {
                const auto destination =
                    m_services.dialogs.choose(this, urssafAttachmentSavePanel(file));
                if (!destination)
                    return;
                if (const auto failed = saveUrssafAttachment(m_services.store.fileSystem(),
                                                             m_services.store.mediaFolder(),
                                                             file.file, destination->toLocalFile()))
                    m_services.dialogs.ask(this, *failed);
            });
            static_cast<QVBoxLayout*>(shown->layout())->addWidget(saveAs, 0, Qt::AlignLeft);
        }
        layout->addWidget(tabs, 1);
    }

    auto* close = theme::button(UrssafListTexts::closeViewer(), "primary", this);
    close->setObjectName(QStringLiteral("urssafAttachmentsClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(files.isEmpty() ? QSize(460, 240) : QSize(760, 720));
}

QWidget* UrssafAttachmentsViewer::page(const QUrl& file, int index) {
    auto* shown = new QWidget(this);
    auto* layout = new QVBoxLayout(shown);
    layout->setContentsMargins(0, 10, 0, 0);
    const std::optional<QByteArray> bytes =
        mediaFolderReader(m_services.store.fileSystem(), m_services.store.mediaFolder())(file);
    const QString missing =
        QStringLiteral("Le fichier « %1 » est introuvable.").arg(file.fileName());
    if (bytes && bytes->startsWith("%PDF")) {
        auto* preview = new DocumentPreview(shown);
        preview->setObjectName(QStringLiteral("urssafAttachmentPdf_%1").arg(index));
        preview->setPdf(*bytes);
        layout->addWidget(preview, 1);
        return shown;
    }
    const QImage picture = bytes ? QImage::fromData(*bytes) : QImage();
    auto* label = new QLabel(shown);
    label->setObjectName(QStringLiteral("urssafAttachmentPicture_%1").arg(index));
    label->setAlignment(Qt::AlignCenter);
    if (picture.isNull()) {
        label->setText(bytes
                           ? QStringLiteral("Aperçu indisponible pour « %1 ».").arg(file.fileName())
                           : missing);
        theme::setRole(label, "hint");
        layout->addWidget(label, 1);
        return shown;
    }
    label->setPixmap(QPixmap::fromImage(
        picture.width() > 700 ? picture.scaledToWidth(700, Qt::SmoothTransformation) : picture));
    auto* scroll = new QScrollArea(shown);
    scroll->setWidget(label);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);
    return shown;
}

} // namespace velmora::gui

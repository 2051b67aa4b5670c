#include "gui/launch/LockView.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/PasswordField.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/Theme.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

// A narrow column in the middle of the window, as lock screens are.
QWidget* centredColumn(QWidget* content, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* outer = new QHBoxLayout(page);
    outer->addStretch(1);
    content->setFixedWidth(380);
    outer->addWidget(content, 0, Qt::AlignVCenter);
    outer->addStretch(1);
    return page;
}

} // namespace

LockView::LockView(AppDataStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_lock(store), m_recovery(store) {
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildLockPage());
    m_pages->addWidget(buildRecoveryPage());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    followSession(this, m_store,
                  {SessionField::sessionName, SessionField::sessionProfileImageName,
                   SessionField::sessionProfilePhotoData},
                  [this] { refreshIdentity(); });
    reset();
}

QWidget* LockView::buildLockPage() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(14);
    m_picture = new QLabel(column);
    m_picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_picture);
    m_sessionName = theme::label(QString(), "title", column);
    m_sessionName->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_sessionName);
    auto* prompt = theme::label(LockScreenModel::prompt(), "subtitle", column);
    prompt->setAlignment(Qt::AlignCenter);
    layout->addWidget(prompt);
    layout->addSpacing(8);

    m_code = passwordField(LockScreenModel::placeholder(), column);
    m_code->setObjectName(QStringLiteral("lockCodeField"));
    layout->addWidget(m_code);
    m_error = theme::label(QString(), "error", column);
    m_error->setObjectName(QStringLiteral("lockError"));
    m_error->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_error);

    auto* validate = theme::button(LockScreenModel::validateButton(), "primary", column);
    validate->setObjectName(QStringLiteral("lockValidate"));
    validate->setDefault(true);
    layout->addWidget(validate);
    m_forgot = theme::button(LockScreenModel::forgotLink(), "link", column);
    m_forgot->setObjectName(QStringLiteral("lockForgot"));
    layout->addWidget(m_forgot, 0, Qt::AlignHCenter);

    connect(m_code, &QLineEdit::returnPressed, this, &LockView::submit);
    connect(validate, &QPushButton::clicked, this, &LockView::submit);
    connect(m_forgot, &QPushButton::clicked, this, &LockView::showRecovery);
    return centredColumn(column, this);
}

QWidget* LockView::buildRecoveryPage() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(14);
    auto* title = theme::label(RecoveryModel::title(), "title", column);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    m_recoverySubtitle = theme::label(QString(), "subtitle", column);
    m_recoverySubtitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_recoverySubtitle);
    layout->addSpacing(6);

    m_recoveryPhases = new QStackedWidget(column);
    layout->addWidget(m_recoveryPhases);

    // 0: the stored questions, one button each.
    auto* choose = new QWidget;
    m_questionList = new QVBoxLayout(choose);
    m_questionList->setContentsMargins(0, 0, 0, 0);
    m_recoveryPhases->addWidget(choose);

    // 1: the answer.
    auto* answerPage = new QWidget;
    auto* answerLayout = new QVBoxLayout(answerPage);
    answerLayout->setContentsMargins(0, 0, 0, 0);
    m_chosenQuestion = theme::label(QString(), "section", answerPage);
    answerLayout->addWidget(m_chosenQuestion);
    m_answer = new QLineEdit(answerPage);
    m_answer->setObjectName(QStringLiteral("recoveryAnswer"));
    m_answer->setPlaceholderText(QStringLiteral("Votre réponse"));
    answerLayout->addWidget(m_answer);
    m_answerError = theme::label(QString(), "error", answerPage);
    m_answerError->setObjectName(QStringLiteral("recoveryAnswerError"));
    answerLayout->addWidget(m_answerError);
    auto* answerButtons = new QHBoxLayout;
    auto* back = theme::button(RecoveryModel::backButton(), "", answerPage);
    auto* check = theme::button(LockScreenModel::validateButton(), "primary", answerPage);
    check->setObjectName(QStringLiteral("recoveryCheckAnswer"));
    answerButtons->addWidget(back);
    answerButtons->addStretch(1);
    answerButtons->addWidget(check);
    answerLayout->addLayout(answerButtons);
    m_recoveryPhases->addWidget(answerPage);
    auto submitAnswer = [this] {
        m_recovery.answer = m_answer->text();
        m_recovery.submitAnswer();
        refreshRecovery();
    };
    connect(check, &QPushButton::clicked, this, submitAnswer);
    connect(m_answer, &QLineEdit::returnPressed, this, submitAnswer);
    connect(back, &QPushButton::clicked, this, [this] {
        m_recovery.back();
        refreshRecovery();
    });

    // 2: the new code.
    auto* codePage = new QWidget;
    auto* codeLayout = new QVBoxLayout(codePage);
    codeLayout->setContentsMargins(0, 0, 0, 0);
    m_newCode = passwordField(RecoveryModel::newCodeLabel(), codePage);
    m_newCode->setObjectName(QStringLiteral("recoveryNewCode"));
    m_confirmation = passwordField(RecoveryModel::confirmationLabel(), codePage);
    m_confirmation->setObjectName(QStringLiteral("recoveryConfirmation"));
    codeLayout->addWidget(m_newCode);
    codeLayout->addWidget(m_confirmation);
    m_newCodeError = theme::label(QString(), "error", codePage);
    m_newCodeError->setObjectName(QStringLiteral("recoveryNewCodeError"));
    codeLayout->addWidget(m_newCodeError);
    auto* save = theme::button(RecoveryModel::saveButton(), "primary", codePage);
    save->setObjectName(QStringLiteral("recoverySave"));
    codeLayout->addWidget(save);
    m_recoveryPhases->addWidget(codePage);
    connect(save, &QPushButton::clicked, this, [this] {
        m_recovery.newCode = m_newCode->text();
        m_recovery.confirmation = m_confirmation->text();
        m_store.edit([this](SessionEdit& edit) { return m_recovery.saveNewCode(edit); });
        refreshRecovery();
    });

    // 3: done.
    auto* donePage = new QWidget;
    auto* doneLayout = new QVBoxLayout(donePage);
    doneLayout->setContentsMargins(0, 0, 0, 0);
    auto* done = theme::label(RecoveryModel::doneText(), "success", donePage);
    done->setAlignment(Qt::AlignCenter);
    doneLayout->addWidget(done);
    auto* unlockNow = theme::button(RecoveryModel::unlockNowButton(), "primary", donePage);
    unlockNow->setObjectName(QStringLiteral("recoveryUnlockNow"));
    doneLayout->addWidget(unlockNow);
    m_recoveryPhases->addWidget(donePage);
    connect(unlockNow, &QPushButton::clicked, this, [this] {
        m_recovery.finish();
        showLock();
    });

    auto* cancel = theme::button(QStringLiteral("Annuler"), "link", column);
    cancel->setObjectName(QStringLiteral("recoveryCancel"));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_recovery.reset();
        showLock();
    });
    return centredColumn(column, this);
}

void LockView::reset() {
    m_lock.lock();
    m_recovery.reset();
    showLock();
}

void LockView::refreshIdentity() {
    m_sessionName->setText(m_store.sessionName().value_or(QString()));
    m_sessionName->setVisible(!m_store.sessionName().value_or(QString()).isEmpty());
    m_picture->setPixmap(sessionPicture(m_store, 96));
}

void LockView::showLock() {
    refreshIdentity();
    m_code->clear();
    m_error->clear();
    m_forgot->setVisible(m_lock.offersRecovery());
    m_pages->setCurrentIndex(0);
    m_code->setFocus();
}

void LockView::showRecovery() {
    m_recovery.reset();
    refreshRecovery();
    m_pages->setCurrentIndex(1);
}

void LockView::submit() {
    m_lock.typedCode = m_code->text();
    if (m_lock.submit()) {
        m_code->clear();
        m_error->clear();
        emit unlocked();
        return;
    }
    m_error->setText(m_lock.error());
}

void LockView::refreshRecovery() {
    m_recoverySubtitle->setText(m_recovery.subtitle());
    m_recoveryPhases->setCurrentIndex(int(m_recovery.phase()));
    switch (m_recovery.phase()) {
    case RecoveryModel::Phase::chooseQuestion: {
        while (QLayoutItem* item = m_questionList->takeAt(0)) {
            // The button may be the one whose click led here.
            item->widget()->hide();
            item->widget()->deleteLater();
            delete item;
        }
        const QStringList questions = m_recovery.questions();
        for (int i = 0; i < questions.size(); ++i) {
            auto* choice = theme::button(questions[i], "", this);
            choice->setObjectName(QStringLiteral("recoveryQuestion%1").arg(i));
            m_questionList->addWidget(choice);
            connect(choice, &QPushButton::clicked, this, [this, i] {
                m_recovery.selectQuestion(i);
                refreshRecovery();
            });
        }
        break;
    }
    case RecoveryModel::Phase::answer: {
        for (const SecurityQuestion& q : m_store.securityQuestions())
            if (q.id == m_recovery.selectedQuestion())
                m_chosenQuestion->setText(q.question);
        m_answer->setText(m_recovery.answer);
        m_answerError->setText(m_recovery.answerError());
        m_answer->setFocus();
        break;
    }
    case RecoveryModel::Phase::newCode:
        m_answer->clear();
        m_newCode->setText(m_recovery.newCode);
        m_confirmation->setText(m_recovery.confirmation);
        m_newCodeError->setText(m_recovery.newCodeError());
        m_newCode->setFocus();
        break;
    case RecoveryModel::Phase::done:
        m_newCode->clear();
        m_confirmation->clear();
        m_newCodeError->clear();
        break;
    }
}

} // namespace velmora::gui

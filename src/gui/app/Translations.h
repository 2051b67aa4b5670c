#pragma once

class QCoreApplication;
class QTranslator;

namespace velmora::gui {

// Qt's own texts (file dialogs, standard buttons, context menus) in French,
// from the translations installed with Qt. The translator belongs to the
// application; null when the French file is not installed.
QTranslator* installQtTranslations(QCoreApplication& app);

} // namespace velmora::gui

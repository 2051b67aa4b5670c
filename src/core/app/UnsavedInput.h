#pragma once

#include "core/Alert.h"

namespace velmora {

// What the window asks before it closes, quits, switches or locks the
// session over a form that holds typed input.
namespace unsavedinput {

enum class Answer { save, discard, cancel };

// `form` is the form's title as the user sees it ("Nouvelle facture").
Alert confirmation(const QString& form);
// A closed dialog counts as "Annuler": the window stays as it was.
Answer answer(int button);

} // namespace unsavedinput

} // namespace velmora

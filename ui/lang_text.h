#pragma once
// The text lookup every form uses for its captions, hints and messages.
#include <QString>

// Text number N of the text table ("" outside the table).
QString Lang_Text(int N);

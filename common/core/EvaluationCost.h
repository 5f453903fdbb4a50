#pragma once
// What evaluating an expression costs, estimated from its printed size: about 10 ns per
// character on a desktop machine, whatever the operations. Opening a project gives an enormous
// function fewer root-finding steps by this rule; trevsolve does the same, and trevsolve and the
// calculator refuse an expression of which a single evaluation would take more than about 10 ms.
#include <QHash>
#include <QString>
#include <QtGlobal>

namespace EvaluationCost {

constexpr qint64 NanosecondsPerCharacter = 10;
// One evaluation stays under about 10 ms.
constexpr qint64 MaxCharacters = 10'000'000 / NanosecondsPerCharacter;
// A scan that evaluates expressions at each step stays under about 0.8 s.
constexpr qint64 ScanCharacterSteps = 800'000'000 / NanosecondsPerCharacter;

// The steps such a scan can afford when each step evaluates `characters` characters in all.
qint64 affordableSteps(qint64 characters);

// The size of `text` with every call of a user function counted as the size of its body,
// written out in the same way (calls inside it included). `bodies` maps the lower-case
// function names to their bodies. Sizes beyond MaxCharacters are all reported as
// MaxCharacters + 1.
qint64 expandedCharacters(const QString &text, const QHash<QString, QString> &bodies);

// The message for an expression larger than MaxCharacters.
QString tooLargeMessage();

} // namespace EvaluationCost

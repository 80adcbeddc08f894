// The search command's two messages and their box title.
#pragma once

#include <QString>

namespace search {

inline const QString kTitle = QStringLiteral("検索");
inline const QString kNotFound = QStringLiteral("見つかりませんでした。");
inline const QString kFinished = QStringLiteral("検索を終了しました。");

}  // namespace search

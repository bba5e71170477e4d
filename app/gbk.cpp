#include "app/gbk.h"

#include <QByteArray>
#include <QStringView>

#include "text/codepage.h"

namespace qingyou {

QString ToQString(const Text& gbk) {
  const std::string utf8 = GbkToUtf8(gbk);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToQStringLines(const Text& gbk) {
  QString text = ToQString(gbk);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

Text ToText(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  Text whole = Utf8ToGbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  if (!whole.empty() || text.isEmpty() || text.front() == QChar(u'\0')) return whole;

  // Some character has no GBK form (or is a lone surrogate): convert one
  // code point at a time and mark only the ones that fail.
  TextBuilder builder;
  qsizetype i = 0;
  while (i < text.size()) {
    if (text.at(i) == QChar(u'\0')) break;
    const bool pair =
        text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    const QByteArray piece = QStringView(text).mid(i, length).toUtf8();
    i += length;
    const Text converted =
        Utf8ToGbk(std::string_view(piece.constData(), static_cast<std::size_t>(piece.size())));
    if (converted.empty()) {
      builder.Append('?');
    } else {
      builder.Append(converted);
    }
  }
  return builder.Take();
}

}  // namespace qingyou

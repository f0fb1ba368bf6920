// face_names.h: the English family name of the face a font resolves to, read from the face's own
// name table. QFontInfo::family() follows the locale (under Japanese, "IPA Pゴシック"), so a test
// that names a face must ask the face itself.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QRawFont>
#include <QString>
#include <QStringDecoder>
#include <cstdint>

namespace vennaloop::apptest {

namespace detail {

inline std::uint16_t BigEndian16(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[at]) << 8) |
                                    static_cast<unsigned char>(bytes[at + 1]));
}

}  // namespace detail

/// The family (name id 1) in US English (Windows platform) or, failing that, in the Macintosh
/// Roman record, from an SFNT 'name' table; empty when there is neither.
inline QString EnglishFamilyFromNameTable(const QByteArray& table) {
  using detail::BigEndian16;
  if (table.size() < 6) return {};
  const int count = BigEndian16(table, 2);
  const int strings = BigEndian16(table, 4);
  QString mac;
  for (int i = 0; i < count; ++i) {
    const qsizetype record = 6 + 12 * static_cast<qsizetype>(i);
    if (record + 12 > table.size()) break;
    const int platform = BigEndian16(table, record);
    const int language = BigEndian16(table, record + 4);
    const int nameId = BigEndian16(table, record + 6);
    const qsizetype length = BigEndian16(table, record + 8);
    const qsizetype start = strings + BigEndian16(table, record + 10);
    if (nameId != 1 || start + length > table.size()) continue;
    const QByteArray text = table.mid(start, length);
    if (platform == 3 && language == 0x0409)
      return QStringDecoder(QStringDecoder::Utf16BE).decode(text);
    if (platform == 1 && language == 0 && mac.isEmpty()) mac = QString::fromLatin1(text);
  }
  return mac;
}

/// The English family name of the face that `font` resolves to (after substitutions).
inline QString EnglishFamily(const QFont& font) {
  return EnglishFamilyFromNameTable(QRawFont::fromFont(font).fontTable("name"));
}

}  // namespace vennaloop::apptest

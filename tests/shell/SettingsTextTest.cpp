// The settings text reads what QSettings reads from the same lines (compared
// with QSettings itself; that a line never runs into the next one is
// SettingsStoreTest's); setting a value changes one line and keeps every
// other byte, and QSettings reads the value set.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "shell/SettingsText.h"

namespace tavro {
namespace {

// What QSettings makes of a key of the file: its text, or nothing.
std::optional<std::string> qtValue(const std::string& file, const char* key) {
  QTemporaryDir dir;
  QFile f(dir.filePath("t.conf"));
  if (!f.open(QIODevice::WriteOnly)) return std::nullopt;
  f.write(file.data(), static_cast<qint64>(file.size()));
  f.close();
  const QVariant v = QSettings(f.fileName(), QSettings::IniFormat).value(key);
  if (!v.isValid() || v.typeId() == QMetaType::QStringList) return std::nullopt;
  return v.toString().toStdString();
}

TEST(SettingsText, ReadsWhatQSettingsReads) {
  // Values (K0 to K22) in the forms QSettings writes or accepts: quotes,
  // escapes, comments, lists, typed values.
  const std::string values = R"([General]
K0=5
K1=  5
K2=" 5 "
K3="5"x
K4=a"b"c
K5=5 ;c
K6=5 # c
K7=\x35
K8=\065
K9=\t5
K10=5\;6
K11=\q5
K12="\"5\""
K13=@@5
K14=@String(5)
K15=@ByteArray(5)
K16=@Invalid()
K17=@Foo(5)
K18=5,
K19="1,2"
K20="a;b"
K21=
K22=-12
)";
  for (int n = 0; n <= 22; ++n) {
    const std::string key = "K" + std::to_string(n);
    EXPECT_EQ(SettingsText::parse(values).value(key), qtValue(values, key.c_str())) << key;
  }
  // Sections, key escapes, repeated keys, line ends, a byte order mark.
  for (const char* file :
       {"[general]\nKey=1\n", "[ General ]\nKey=2\n", "Key=3\n[Other]\nKey1=4\n",
        "[%General]\nKey=5\n", "[General]\nKe%79=6\nKey1=7\nKey1=8\n",
        "\xEF\xBB\xBF[General]\nKey=9\n", "[General]\r\nKey=1\r\nKey1=2\rKey2=3\n",
        "[Other]\n[General]\n Key2 = 4 \nKey3\n=5\n"}) {
    for (const char* key : {"Key", "Key1", "Key2", "Key3"}) {
      EXPECT_EQ(SettingsText::parse(file).value(key), qtValue(file, key)) << file << key;
    }
  }
}

TEST(SettingsText, SettingChangesOneLineAndKeepsEveryOtherByte) {
  using namespace std::string_literals;
  struct Row {
    std::string before;
    std::string after;  // with K set to 1
  };
  for (const Row& row : {
           Row{""s, "[General]\nK=1\n"s},
           Row{"[General]\nA=2"s, "[General]\nA=2\nK=1\n"s},
           Row{"[Other]\nX=1\n"s, "[General]\nK=1\n\n[Other]\nX=1\n"s},
           Row{"A=2\r\n[Other]\r\nK=3\r\n"s, "A=2\r\nK=1\r\n[Other]\r\nK=3\r\n"s},
           Row{"[General]\n K = 5 ;c\nK=\"6\n"s, "[General]\n K = 5 ;c\nK=1\n"s},
           Row{"\xEF\xBB\xBF; x\n"s, "\xEF\xBB\xBF[General]\nK=1\n\n; x\n"s},
           Row{"[General]\n\n; x\n[O]\n[General]\nA=1\n"s,
               "[General]\nK=1\n\n; x\n[O]\n[General]\nA=1\n"s},
           Row{"\xff\0[Gen\n=\n[General]\nA=1\n\x1b[2J\0"s,
               "\xff\0[Gen\n=\n[General]\nA=1\nK=1\n\x1b[2J\0"s},
       }) {
    SettingsText text = SettingsText::parse(row.before);
    EXPECT_EQ(text.text(), row.before);
    text.setInteger("K", 1);
    EXPECT_EQ(text.text(), row.after) << row.before;
    EXPECT_EQ(SettingsText::parse(text.text()).value("K"), "1") << row.before;
    EXPECT_EQ(qtValue(text.text(), "K"), "1") << row.before;
  }
}

}  // namespace
}  // namespace tavro

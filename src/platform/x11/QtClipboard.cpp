// The Qt clipboard behind the platform interface: one QMimeData per opening, targets named as the formats,
// and the text format mapped onto the UTF-8 text targets.
#include "platform/x11/QtClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <stdexcept>

#include "platform/ClipboardFormats.h"

namespace velmora::platform {

namespace {

constexpr std::string_view kUtf8TextTarget = "UTF8_STRING";
constexpr std::string_view kQtTextFormat = "text/plain";
constexpr std::string_view kLatin1TextTarget = "STRING";

// The targets the text format is read from, best first.
constexpr std::string_view kTextTargets[] = {kTextFormat, kUtf8TextTarget, kQtTextFormat};

// Targets that describe the transfer rather than hold content.
bool IsMetaTarget(std::string_view target) {
  return target == "TARGETS" || target == "TIMESTAMP" || target == "MULTIPLE" || target == "SAVE_TARGETS" ||
         target == "DELETE" || target == "INSERT_SELECTION" || target == "INSERT_PROPERTY";
}

bool IsTextTarget(std::string_view target) {
  return std::find(std::begin(kTextTargets), std::end(kTextTargets), target) != std::end(kTextTargets) ||
         target == kLatin1TextTarget || target == "TEXT" || target == "COMPOUND_TEXT";
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToString(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

TQtClipboard::TQtClipboard(std::chrono::milliseconds readTimeout)
    : FClipboard(QGuiApplication::clipboard()), FReader(readTimeout) {
  if (!FClipboard)
    throw std::logic_error("TQtClipboard needs a QGuiApplication");
  FConnection = QObject::connect(FClipboard, &QClipboard::changed, FClipboard, [this](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard)
      OnChanged();
  });
}

TQtClipboard::~TQtClipboard() {
  QObject::disconnect(FConnection);
}

bool TQtClipboard::OwnsContent() const {
  return FClipboard->ownsClipboard();
}

void TQtClipboard::OnChanged() {
  FOwnChange = FSetting;
  if (FChangeHandler)
    FChangeHandler();
  FOwnChange = false;
}

bool TQtClipboard::Open(TClipboardOwner owner) {
  if (FOwner)
    return false;
  if (!OwnsContent()) {
    std::optional<std::vector<std::string>> targets = FReader.Targets();
    if (!targets)
      return false;
    FTargets = std::move(targets);
  }
  FOwner = owner;
  FPending.clear();
  FChanged = false;
  return true;
}

void TQtClipboard::Close() {
  if (!FOwner)
    throw std::logic_error("TQtClipboard::Close while the clipboard is not open");
  FOwner.reset();
  FTargets.reset();
  if (!FChanged)
    return;
  FChanged = false;

  auto* data = new QMimeData;
  for (const auto& [format, bytes] : FPending) {
    const QByteArray block(bytes.data(), static_cast<qsizetype>(bytes.size()));
    data->setData(ToQString(format), block);
    // Qt offers its text targets (UTF8_STRING, STRING, text/plain) for this one format.
    if (format == kTextFormat)
      data->setData(ToQString(kQtTextFormat), block);
  }
  FPending.clear();
  FSetting = true;
  FClipboard->setMimeData(data, QClipboard::Clipboard);  // takes ownership of Data
  FSetting = false;
}

void TQtClipboard::Empty() {
  if (!FOwner)
    throw std::logic_error("TQtClipboard::Empty while the clipboard is not open");
  FPending.clear();
  FChanged = true;
}

void TQtClipboard::Put(std::string_view format, std::string_view bytes) {
  if (!FOwner)
    throw std::logic_error("TQtClipboard::Put while the clipboard is not open");
  if (format.empty())
    throw std::logic_error("TQtClipboard::Put: empty format name");
  if (!FChanged && OwnsContent()) {
    // A put without emptying adds to our own content. Another owner's content is not adopted: serving
    // it would need every block transferred first, so such a put starts a new content.
    if (const QMimeData* current = FClipboard->mimeData(QClipboard::Clipboard)) {
      for (const QString& name : current->formats()) {
        if (name.toStdString() != kQtTextFormat)
          FPending.insert_or_assign(name.toStdString(), ToString(current->data(name)));
      }
    }
  }
  FPending.insert_or_assign(std::string(format), std::string(bytes));
  FChanged = true;
}

std::vector<std::string> TQtClipboard::ForeignTargets() const {
  if (FTargets)
    return *FTargets;
  return FReader.Targets().value_or(std::vector<std::string>());
}

bool TQtClipboard::Has(std::string_view format) const {
  if (OwnsContent()) {
    const QMimeData* data = FClipboard->mimeData(QClipboard::Clipboard);
    return data && data->hasFormat(ToQString(format));
  }
  const std::vector<std::string> targets = ForeignTargets();
  if (format == kTextFormat) {
    return std::any_of(targets.begin(), targets.end(), [](const std::string& target) {
      return IsTextTarget(target) && target != "TEXT" && target != "COMPOUND_TEXT";
    });
  }
  return Contains(targets, format);
}

std::optional<std::string> TQtClipboard::Get(std::string_view format) {
  if (OwnsContent()) {
    const QMimeData* data = FClipboard->mimeData(QClipboard::Clipboard);
    const QString name = ToQString(format);
    if (!data || !data->hasFormat(name))
      return std::nullopt;
    return ToString(data->data(name));
  }
  const std::vector<std::string> targets = ForeignTargets();
  if (format != kTextFormat) {
    if (!Contains(targets, format))
      return std::nullopt;
    return FReader.Read(format);
  }
  for (const std::string_view target : kTextTargets) {
    if (Contains(targets, target))
      return FReader.Read(target);
  }
  if (Contains(targets, kLatin1TextTarget)) {
    if (const std::optional<std::string> latin1 = FReader.Read(kLatin1TextTarget))
      return Latin1ToUtf8(*latin1);
  }
  return std::nullopt;
}

std::vector<std::string> TQtClipboard::Formats() const {
  std::vector<std::string> names;
  if (OwnsContent()) {
    if (const QMimeData* data = FClipboard->mimeData(QClipboard::Clipboard)) {
      for (const QString& name : data->formats()) {
        if (name.toStdString() != kQtTextFormat)
          names.push_back(name.toStdString());
      }
    }
    return names;
  }
  bool text = false;
  for (const std::string& target : ForeignTargets()) {
    if (IsMetaTarget(target))
      continue;
    if (IsTextTarget(target)) {
      if (!text && target != "TEXT" && target != "COMPOUND_TEXT") {
        names.emplace_back(kTextFormat);
        text = true;
      }
      continue;
    }
    names.push_back(target);
  }
  return names;
}

std::optional<uint64_t> TQtClipboard::SizeOf(std::string_view) const {
  return std::nullopt;
}

}  // namespace velmora::platform

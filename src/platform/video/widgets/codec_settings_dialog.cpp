#include "platform/video/widgets/codec_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "platform/dialogs/widgets/qt_responder.h"
#include "support/user_text.h"

namespace {

// The same limits ApplyCodecSettingsAnswer accepts.
constexpr int kMaximumBitrateKbps = 100000;
constexpr int kMaximumKeyframeInterval = 10000;

QSpinBox* NumberBox(int minimum, int maximum, int value, const QString& zeroText, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(minimum, maximum);
  box->setValue(value);
  if (!zeroText.isEmpty()) box->setSpecialValueText(zeroText);
  return box;
}

QString ScaleHint(QualityScale scale) {
  return scale == QualityScale::RateFactor ? UserText::tr("Quality (lower is better, rate factor):")
                                           : UserText::tr("Quality (lower is better, quantiser):");
}

}  // namespace

CodecSettingsDialog::CodecSettingsDialog(const CodecSettingsRequest& request, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(request.codecName));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* form = new QFormLayout(this);
  form->addRow(new QLabel(QString::fromStdString(request.codecName + " (" + request.encoder + ")"), this));
  if (request.scale != QualityScale::None && request.qualityMax > request.qualityMin) {
    m_pQuality = NumberBox(request.qualityMin, request.qualityMax,
                           std::clamp(request.current.quality, request.qualityMin, request.qualityMax), {}, this);
    form->addRow(ScaleHint(request.scale), m_pQuality);
  }
  m_pBitrate = NumberBox(0, kMaximumBitrateKbps, request.current.bitrateKbps, UserText::tr("by quality"), this);
  m_pBitrate->setSuffix(UserText::tr(" kbit/s"));
  form->addRow(UserText::tr("Bit rate:"), m_pBitrate);
  m_pKeyframes =
      NumberBox(0, kMaximumKeyframeInterval, request.current.keyframeInterval, UserText::tr("every 5 seconds"), this);
  m_pKeyframes->setSuffix(UserText::tr(" frames"));
  form->addRow(UserText::tr("Key frame every:"), m_pKeyframes);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

CodecSettingsAnswer CodecSettingsDialog::Answer() const {
  CodecSettingsAnswer answer;
  answer.quality = m_pQuality != nullptr ? m_pQuality->value() : 0;
  answer.bitrateKbps = m_pBitrate->value();
  answer.keyframeInterval = m_pKeyframes->value();
  return answer;
}

void RegisterCodecSettingsDialog(QtResponder& responder) {
  responder.Register<CodecSettingsRequest>([](QWidget* owner, const CodecSettingsRequest& request) {
    CodecSettingsDialog dialog(request, owner);
    DialogReply<CodecSettingsRequest> reply;
    if (dialog.exec() == QDialog::Accepted) {
      reply.code = IDOK;
      reply.answer = dialog.Answer();
    }
    return reply;
  });
}

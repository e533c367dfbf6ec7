#pragma once
// The settings dialog of an AVI video codec (the writer's
// ShowVideoCodecSettings): quality on the codec's scale, or a bit rate, and
// the key-frame interval.

#include <QDialog>

#include "platform/video/codec_settings_request.h"

class QSpinBox;
class QtResponder;

class CodecSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  CodecSettingsDialog(const CodecSettingsRequest& request, QWidget* parent);

  // What the controls hold now.
  CodecSettingsAnswer Answer() const;

  QSpinBox* QualityBox() const { return m_pQuality; }  // nullptr for a codec without a quality
  QSpinBox* BitrateBox() const { return m_pBitrate; }
  QSpinBox* KeyframeBox() const { return m_pKeyframes; }

 private:
  QSpinBox* m_pQuality = nullptr;
  QSpinBox* m_pBitrate = nullptr;
  QSpinBox* m_pKeyframes = nullptr;
};

// Shows the dialog for CodecSettingsRequest.
void RegisterCodecSettingsDialog(QtResponder& responder);

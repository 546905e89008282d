#include "textrecorder.h"

#include <QPaintEngine>

namespace kdw::test {

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(TextRecorder &device)
        : QPaintEngine(AllFeatures)
        , m_device(device)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        m_device.m_texts.append({item.text(), p, item.font().pixelSize()});
    }
    Type type() const override { return User; }

private:
    TextRecorder &m_device;
};

TextRecorder::TextRecorder(int dotsPerInch, QSize pixels)
    : m_dpi(dotsPerInch)
    , m_pixels(pixels)
    , m_engine(std::make_unique<RecordingEngine>(*this))
{
}

TextRecorder::~TextRecorder() = default;

QPaintEngine *TextRecorder::paintEngine() const
{
    return m_engine.get();
}

int TextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_pixels.width();
    case PdmHeight: return m_pixels.height();
    case PdmWidthMM: return m_pixels.width() * 254 / (m_dpi * 10);
    case PdmHeightMM: return m_pixels.height() * 254 / (m_dpi * 10);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmNumColors: return 256;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return 0;
    }
}

} // namespace kdw::test

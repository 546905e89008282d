#pragma once

#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>

#include <memory>

namespace kdw::test {

// A paint device that records every text drawn on it: the text, its
// baseline position in device units and the font's pixel size. Its
// resolution is chosen by the test, like a printer's.
struct DrawnText
{
    QString text;
    QPointF baseline;
    int pixelSize = 0;
};

class TextRecorder : public QPaintDevice
{
public:
    TextRecorder(int dotsPerInch, QSize pixels);
    ~TextRecorder() override;

    QPaintEngine *paintEngine() const override;
    const QList<DrawnText> &texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class RecordingEngine;
    int m_dpi;
    QSize m_pixels;
    QList<DrawnText> m_texts;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace kdw::test

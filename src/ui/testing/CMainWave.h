#pragma once

#include "testing/WaveModel.h"

#include <QWidget>

// The test dialog's four-line wave on a black grid. Each step moves the lines on; Reset
// shows the empty grid until the next step.
class CMainWave : public QWidget {
    Q_OBJECT

public:
    explicit CMainWave(QWidget* parent = nullptr);

    void Reset();
    void AddStep(const hv::WaveStep& step);

    const hv::WaveModel& Model() const { return m_model; }
    bool LinesShown() const { return m_bLinesShown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    hv::WaveModel m_model;
    bool m_bLinesShown = false;
};

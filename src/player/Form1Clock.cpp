// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's clock and bars: the times and the position bar follow the graph, and the
// bars drive it.
#include "Form1.h"

#include "FormatTime.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "runtime/Nearest.h"

#include <QScopedValueRollback>

void Form1::tickTheClock()
{
    Timer1_Timer();
    Q_EMIT clockTicked();
}

void Form1::Timer1_Timer()
{
    if (!MediaPosition || m_opening)
        return;
    if (const std::optional<double> position = MediaPosition->CurrentPosition()) {
        if (const auto value = runtime::cLng(*position)) {
            const QScopedValueRollback writing(m_clockWritesTheBar, true);
            H1->setValue(*value);
        }
    }
    const std::optional<double> duration = MediaPosition->Duration();
    const std::optional<double> position = MediaPosition->CurrentPosition();
    // Only this clock writes the two texts: the same readings as last time write the same texts.
    if (duration == m_timesShown.duration && position == m_timesShown.position)
        return;
    m_timesShown = {duration, position};
    if (duration && position) {
        double remaining = *duration - *position;
        Text1.setText(FormatTime(remaining));
    }
    // Read again: the remaining time just written may have ended the file and opened the next.
    if (!MediaPosition)
        return;
    if (std::optional<double> elapsed = MediaPosition->CurrentPosition())
        Text2.setText(FormatTime(*elapsed));
}

void Form1::Label3_Change()
{
    if (Label3->Caption() == Label4->Caption())
        Command2_Click();
}

void Form1::Text1_Change()
{
    if (Label3->Caption() == Label4->Caption())
        PlayNextEntry();
}

void Form1::H1_Scroll()
{
    if (MediaPosition)
        MediaPosition->SetCurrentPosition(H1->Value());
}

void Form1::V1_Scroll()
{
    if (BasicAudio)
        BasicAudio->SetVolume(V1->Value());
}

void Form1::H2_Change()
{
    if (BasicAudio)
        BasicAudio->SetBalance(H2->Value());
}

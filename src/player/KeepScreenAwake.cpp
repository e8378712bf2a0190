// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeepScreenAwake.h"

#include "Form1.h"

namespace {

const QString ApplicationName = QStringLiteral("KAVEL Player");
const QString Reason = QStringLiteral("Playing a film");

} // namespace

bool showsAMovingPicture(const MediaGraph &graph)
{
    if (graph.State() != MediaGraph::GraphState::Running || graph.Width().value_or(0) <= 0)
        return false;
    // At its end the engine holds the last picture, with the position at the duration.
    const std::optional<double> duration = graph.Duration();
    const std::optional<double> position = graph.CurrentPosition();
    return !(duration && position && *position >= *duration);
}

KeepScreenAwake::KeepScreenAwake(Form1 &form, const QDBusConnection &bus)
    : m_form(form)
    , m_inhibitor(bus, &form, ApplicationName, Reason)
{
    connect(&m_form, &Form1::playbackChanged, this, &KeepScreenAwake::follow);
    follow();
}

void KeepScreenAwake::follow()
{
    m_inhibitor.setInhibited(m_form.MediaControl && showsAMovingPicture(*m_form.MediaControl));
}

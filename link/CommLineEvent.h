// The message that carries line events from a port's event thread to the UI
// thread. The generation tells events of an earlier opening apart.
#pragma once

#include <QEvent>

#include <cstdint>

class TCommLineEvent : public QEvent {
public:
    TCommLineEvent(uint32_t events, uint32_t generation)
        : QEvent(Type()), m_Events(events), m_Generation(generation) {}

    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    const uint32_t m_Events;
    const uint32_t m_Generation;
};

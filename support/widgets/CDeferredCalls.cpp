#include "CDeferredCalls.h"

#include <QTimer>

void CDeferredCalls::CallSoon(QObject* context, std::function<void()> call) {
    QTimer::singleShot(mDelayMs, context, std::move(call));
}

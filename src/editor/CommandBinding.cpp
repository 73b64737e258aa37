#include "editor/CommandBinding.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QObject>

#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"

namespace halvex {
namespace {

template <class Receiver>
CommandHandler MemberCommand(Receiver& receiver, const MemberHandler<Receiver>& member) {
    CommandHandler handler;
    handler.run = [&receiver, run = member.run] { (receiver.*run)(); };
    if (const auto enabled = member.enabled) {
        handler.enabled = [&receiver, enabled] { return (receiver.*enabled)(); };
    }
    if (const auto checked = member.checked) {
        handler.checked = [&receiver, checked] { return (receiver.*checked)(); };
    }
    return handler;
}

template <class Receiver>
void BindMembers(Receiver& receiver, CommandMap& map) {
    ForEachCommandRow([&](const CommandRow& row) {
        if (const auto* member = std::get_if<MemberHandler<Receiver>>(&row.handler)) {
            map.Add(row.id, MemberCommand(receiver, *member));
        }
    });
}

QMetaMethod FindSlot(const QObject& receiver, const char* name, int id) {
    const QMetaObject* meta = receiver.metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.name() == name) return method;
    }
    qFatal("Command %d: %s has no invokable member %s", id, meta->className(), name);
}

// Calls `method` on `receiver`, with the command id when it takes one.
void Call(const QMetaMethod& method, QObject& receiver, int id,
          QGenericReturnArgument result = QGenericReturnArgument()) {
    if (method.parameterCount() == 1) {
        method.invoke(&receiver, Qt::DirectConnection, result, Q_ARG(int, id));
    } else {
        method.invoke(&receiver, Qt::DirectConnection, result);
    }
}

CommandHandler SlotCommand(QObject& receiver, const SlotHandler& slot, int id) {
    const auto condition = [&](const char* name) -> std::function<bool()> {
        if (!name) return {};
        const QMetaMethod method = FindSlot(receiver, name, id);
        return [&receiver, method, id] {
            bool holds = false;
            Call(method, receiver, id, Q_RETURN_ARG(bool, holds));
            return holds;
        };
    };
    const QMetaMethod run = FindSlot(receiver, slot.run, id);
    return {[&receiver, run, id] { Call(run, receiver, id); }, condition(slot.enabled),
            condition(slot.checked)};
}

}  // namespace

void BindCommands(CHalvexView& view, CommandMap& map) { BindMembers(view, map); }

void BindCommands(CHalvexDoc& document, CommandMap& map) { BindMembers(document, map); }

void BindCommands(QObject& receiver, CommandReceiver kind, CommandMap& map) {
    ForEachCommandRow([&](const CommandRow& row) {
        const auto* slot = std::get_if<SlotHandler>(&row.handler);
        if (slot && slot->receiver == kind) map.Add(row.id, SlotCommand(receiver, *slot, row.id));
    });
}

}  // namespace halvex

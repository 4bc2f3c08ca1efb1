#pragma once
// How errors reach the user: an error raised in an event handler ends that
// handler and is shown in a box titled with the application title; the
// program goes on.

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace tavro {

// The application title: shown by the task bar (the device window's title)
// and as the title of error boxes. Qt's own application display name stays
// unset, since on X11 Qt appends it to the title of every window.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// Appends a full stop when the last character comes after "." in character
// order (a letter or a digit, for instance).
QString withFullStop(const QString& message);

// Error icon, OK button, title = the application title.
void showErrorBox(const QString& message, QWidget* parent = nullptr);

// A box titled "Error" (the two fatal set-up failures).
void showFatalBox(const QString& message, QWidget* parent = nullptr);

// Runs a handler; an exception it throws is shown by showErrorBox. Returns
// false when the handler ended with an error.
bool runHandler(const std::function<void()>& handler, QWidget* parent = nullptr);

// Tests replace the boxes so that nothing modal opens; the hook receives the
// title and the message.
using MessageBoxHook = std::function<void(const QString& title, const QString& message)>;
void setMessageBoxHook(MessageBoxHook hook);

}  // namespace tavro

#pragma once
// Window classes by run-time name: a small factory map for the places where
// a screen is made from its class name ("FS_VERKAUF", "SPIEL_FELD", ...).
//
//   plat::RegisterWindowClass("FS_VERKAUF", [] { return new FS_VERKAUF; });
//   plat::Window* w = plat::CreateWindowObject("FS_VERKAUF");  // not created yet
//
// Register from code that surely runs (start-up), not from static
// initialisers in a library, which the linker may leave out.

#include <functional>
#include <string>

namespace plat {

class Window;

using WindowFactory = std::function<Window*()>;

// A second registration of a name replaces the first.
void RegisterWindowClass(const std::string& name, WindowFactory factory);
bool IsWindowClassRegistered(const std::string& name);
// A new object of the class (the caller owns it and calls Create), or
// nullptr for an unknown name.
Window* CreateWindowObject(const std::string& name);

}  // namespace plat

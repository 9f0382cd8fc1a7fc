#pragma once
// A temporary program folder for a window on the simulated backend: the
// sound effects built beside this executable are copied in (the pictures are
// built into the program), and no settings file until the game writes one.
#include <QTemporaryDir>

namespace kv {

class SimProgramDir {
 public:
  SimProgramDir();
  bool isValid() const { return dir_.isValid(); }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace kv

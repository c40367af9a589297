#pragma once

namespace zobl {

class DirectoryListing;
class FileSystem;
class GrowingFiles;
class LocalClock;
class Locale;
class MessagePump;
class Profile;
class ProcessWatcher;
class Registry;
class RegistryWatcher;
class Shell;
class TickSource;
class UserDialogs;

// What the program's feature objects ask of the system (AppComposition makes them over it).
struct FormServices {
  Registry& registry;
  FileSystem& fileSystem;
  DirectoryListing& listing;
  MessagePump& pump;
  TickSource& ticks;
  RegistryWatcher& registryWatcher;
  const Locale& locale;
  Profile& profile;
  Shell& shell;
  UserDialogs& dialogs;
  GrowingFiles& growingFiles;
  const LocalClock& clock;
  ProcessWatcher& processes;  // uninstallers the tidy window waits for
};

}  // namespace zobl

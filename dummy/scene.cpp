// Placeholder; the dummy's scene code replaces it.
namespace dummy { int SceneVersion() { return 0; } }

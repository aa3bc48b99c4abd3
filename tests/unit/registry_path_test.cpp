#include "common/registry_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/memory_registry.h"

namespace vextra {
namespace {

TEST(RegistryPath, SplitsRootAndSubkey) {
  struct Case {
    const char* path;
    RegistryRoot root;
    const char* subkey;
  } cases[] = {
      {"HKEY_CURRENT_USER\\Control Panel\\Mouse", RegistryRoot::CurrentUser, "Control Panel\\Mouse"},
      {"hkey_current_user\\Control Panel\\Mouse", RegistryRoot::CurrentUser, "Control Panel\\Mouse"},
      {"HKEY_LOCAL_MACHINE\\Software\\Velmar", RegistryRoot::LocalMachine, "Software\\Velmar"},
      {"Hkey_Current_Config\\System", RegistryRoot::CurrentConfig, "System"},
      {"HKEY_CLASSES_ROOT\\.vmp", RegistryRoot::ClassesRoot, ".vmp"},
      // an unknown root is part of a local-machine subkey
      {"SOFTWARE\\Velmar\\Synra", RegistryRoot::LocalMachine, "SOFTWARE\\Velmar\\Synra"},
      {"HKCU\\Software", RegistryRoot::LocalMachine, "HKCU\\Software"},
      {"HKEY_CURRENT_USERS\\x", RegistryRoot::LocalMachine, "HKEY_CURRENT_USERS\\x"},
  };
  for (const Case& c : cases) {
    RegistryRoot root = RegistryRoot::ClassesRoot;
    std::string subkey = "old";
    ASSERT_TRUE(SplitRegistryPath(c.path, root, subkey)) << c.path;
    EXPECT_EQ(root, c.root) << c.path;
    EXPECT_EQ(subkey, c.subkey) << c.path;
  }
  RegistryRoot root;
  std::string subkey;
  EXPECT_FALSE(SplitRegistryPath("Software", root, subkey));
  EXPECT_FALSE(SplitRegistryPath("", root, subkey));
}

TEST(RegistryPath, OpensReadsWritesAndCloses) {
  MemoryRegistry reg;
  reg.SetString(RegistryRoot::CurrentUser, "control panel\\mouse", "MouseSpeed", "12345");
  RegistryPath key(reg);

  EXPECT_FALSE(key.Open("Software"));
  EXPECT_EQ(reg.opens(), 0);
  EXPECT_FALSE(key.IsOpen());

  ASSERT_TRUE(key.Open("HKEY_CURRENT_USER\\Control Panel\\Mouse"));
  EXPECT_EQ(key.path(), "HKEY_CURRENT_USER\\Control Panel\\Mouse");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_FALSE(key.ReadString("MouseSpeed", buffer, 5));  // needs 6 bytes
  EXPECT_STREQ(buffer, "");
  ASSERT_TRUE(key.ReadString("mousespeed", buffer, 6));
  EXPECT_STREQ(buffer, "12345");
  EXPECT_FALSE(key.ReadString("Absent", buffer, sizeof buffer));
  ASSERT_TRUE(key.WriteString("MouseTrails", "3"));
  std::string v;
  ASSERT_TRUE(reg.GetString(RegistryRoot::CurrentUser, "Control Panel\\Mouse", "MouseTrails", v));
  EXPECT_EQ(v, "3");

  key.Close();
  EXPECT_EQ(key.path(), "");
  EXPECT_FALSE(key.ReadString("MouseSpeed", buffer, sizeof buffer));
  EXPECT_FALSE(key.WriteString("MouseTrails", "4"));

  // a missing key is created
  ASSERT_TRUE(key.Open("Software\\Velmar"));
  EXPECT_TRUE(reg.HasKey(RegistryRoot::LocalMachine, "software\\velmar"));
  // a key that can be neither opened nor created leaves nothing open
  reg.SetKeyFails(RegistryRoot::CurrentUser, "Control Panel\\Desktop");
  EXPECT_FALSE(key.Open("HKEY_CURRENT_USER\\Control Panel\\Desktop"));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.path(), "");
}

}  // namespace
}  // namespace vextra

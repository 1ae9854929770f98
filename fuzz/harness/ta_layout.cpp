#include "harness/ta_layout.h"

namespace varokin::fuzz {

void LayTaFolder(Sandbox& ta) {
  ta.Text("totala.exe", "the game");
  ta.Text("totala1.hpi", "base archive");
  ta.Text("ccdata.hpi", "core contingency");
  ta.Text("btdata.hpi", "battle tactics");
  ta.Text("rev31.ufo", "patch 3.1");
  ta.Text("Tanks.ufo", "enabled tanks");
  ta.Text("Fuzzed.ufo", "enabled, described by an input");
  ta.Text("Varokin\\Snapshots\\Evening.tas", "TC:none\r\nMUTATORS:\r\nAI:none\r\nUFOs:\r\n");

  ta.Text("Varokin\\][Ashen.tc",
          "Ashen Frontier\r\nA burning world.##Replaces totala1.hpi.\r\nASHEN\r\n"
          "Ashen\\totala1.hpi totala1.hpi\r\nAshen\\ashmaps.ufo ]ashmaps.ufo\r\n");
  ta.Text("Varokin\\Ashen\\totala1.hpi", "ashen archive");
  ta.Text("Varokin\\Ashen\\ashmaps.ufo", "ashen maps");
  ta.Text("Varokin\\][Dawn.tc",
          "Galactic Dawn\r\nStar fighters.\r\nGDAWN\r\nDawn\\units units\r\nDawn\\gamedata "
          "gamedata\r\n");
  ta.Text("Varokin\\Dawn\\units\\GDFIGHTR.FBI", "fighter");
  ta.Text("Varokin\\Dawn\\gamedata\\WEAPONS.TDF", "weapons");

  ta.Text("Varokin\\}{Plating.vkn", "Heavy Plating\r\nThicker armour.\r\nOTA ASHEN\r\n2\r\n");
  ta.Text("Varokin\\}{Plating.ccx", "plating 0");
  ta.Text("Varokin\\}{Plating(1).ccx", "plating 1");
  ta.Text("Varokin\\}{Plating(2).ccx", "plating 2");
  ta.Text("Varokin\\}{Rapid.vkn", "Rapid Assembly\r\nFaster building.\r\n*\r\n0\r\n");
  ta.Text("Varokin\\}{Rapid.ccx", "rapid 0");

  ta.Text("Varokin\\^^Warlord.ai", "Warlord AI\r\nAggressive.\r\n*\r\nai\r\n^warlord.ufo\r\n");
  ta.Text("Varokin\\^^Warlord(1)\\EASY.TXT", "[AI]");
  ta.Text("Varokin\\^^Warlord(2)", "warlord units");

  ta.Text("Varokin\\UfoManager\\Tanks.txt", "@OTA ASHEN\r\nHeavy tanks.\r\n");
  ta.Text("Varokin\\UfoManager\\Planes.ufo", "kept planes");
  ta.Text("Varokin\\UfoManager\\Planes.txt", "Fast planes.##Two of them.\r\n");
  ta.Text("Varokin\\UfoManager\\Fuzzy.ufo", "kept, described by an input");
  ta.Text("Varokin\\UfoManager\\Air.pac",
          "Air Power\r\nEverything that flies.\r\nPlanes\r\nFuzzy\r\n");

  // Payloads of the configuration files the targets write.
  ta.Text("Varokin\\Fuzz\\data.hpi", "fuzz archive");
  ta.Text("Varokin\\Fuzz\\units\\ARMFUZZ.FBI", "fuzz unit");
  ta.Text("Varokin\\}{Fuzz.ccx", "fuzz mutator 0");
  ta.Text("Varokin\\}{Fuzz(1).ccx", "fuzz mutator 1");
  ta.Text("Varokin\\}{Fuzz(2).ccx", "fuzz mutator 2");
  ta.Text("Varokin\\^^Fuzz(1)", "fuzz ai 1");
  ta.Text("Varokin\\^^Fuzz(2)\\HARD.TXT", "fuzz ai 2");
}

}  // namespace varokin::fuzz

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Drives the demo cartridge in MAME (genesis driver, MAME 0.251's Lua API):
-- reads the commands in $SKM_CARTRIDGE_COMMANDS, one a line, and writes what
-- it saw into the folder $SKM_CARTRIDGE_OUT.
--   press FIELD    holds a button of pad 1 for one frame, then leaves it one
--                  frame ("P1 Right", "P1 B", ...)
--   wait N         lets N frames go by
--   poke OFFSET WORD   writes a big-endian word into the cartridge (hex)
--   capture ID     waits for a settled picture, then appends a line to
--                  captures.txt (ID, settled or unsettled, the frame's width
--                  and height, the viewer's work-RAM words) and the frame
--                  (32-bit ARGB, little-endian) to captures.raw
-- When the commands are done it writes "done" to done.txt and ends MAME.
local commandsPath = os.getenv("SKM_CARTRIDGE_COMMANDS")
local outDir = os.getenv("SKM_CARTRIDGE_OUT")

local machine = manager.machine
local cpu = machine.devices[":maincpu"].spaces["program"]
local cartridge = machine.memory.regions[":mdslot:cart:rom"]
local screen = machine.screens[":megadriv"]
local pad = machine.ioport.ports[":ctrl1:mdpad:PAD"]

local commands = {}
for line in io.lines(commandsPath) do
  if line ~= "" then table.insert(commands, line) end
end
local captures = assert(io.open(outDir .. "/captures.txt", "w"))
local frameFile = assert(io.open(outDir .. "/captures.raw", "wb"))

-- The viewer's public words (cartridge/cartridgeprogram.h), in this order.
local fields = { car = 0xFF0000, sprite = 0xFF0002, palette = 0xFF0004, mirrored = 0xFF0006,
                 checksum = 0xFF0008, frames = 0xFF000A, rotation = 0xFF000C, tilt = 0xFF000E,
                 wheels = 0xFF0010, turned = 0xFF0012, passes = 0xFF0014 }
local order = { "car", "sprite", "palette", "mirrored", "checksum", "frames", "rotation", "tilt",
                "wheels", "turned", "passes" }
local function state()
  local s = {}
  for _, name in ipairs(order) do s[name] = cpu:read_u16(fields[name]) end
  return s
end
-- What is on show, without the counters.
local function shown(s)
  return table.concat({ s.car, s.sprite, s.palette, s.mirrored, s.rotation, s.tilt, s.wheels, s.turned }, " ")
end

local next = 1
local held = nil          -- the field pressed in the last frame
local rest = 0            -- frames to leave the pad alone
local captureStart = nil  -- frame counter when the capture began
local lastShown = nil     -- the view in the frame before
local beforeLast = nil    -- and in the one before that
local tries = 0
local poked = false       -- the cartridge changed since the last capture

local finished = false
local function finish()
  finished = true
  captures:close()
  frameFile:close()
  local done = assert(io.open(outDir .. "/done.txt", "w"))
  done:write("done\n")
  done:close()
  -- Straight out: MAME 0.251 as Debian builds it (on the system's Lua 5.3)
  -- crashes now and then while it tears the Lua engine down after a script
  -- has hooked the frames, also when it ends by -seconds_to_run. Nothing of
  -- the machine needs keeping.
  os.exit(0)
end

emu.register_frame_done(function()
  if finished then return end
  local s = state()
  if s.frames < 2 then return end   -- the first picture is not up yet
  if held then
    held:set_value(0)
    held = nil
    rest = 1
    return
  end
  if rest > 0 then
    rest = rest - 1
    return
  end
  while next <= #commands do
    local command = commands[next]
    local button = command:match("^press%s+(.+)$")
    local pokeAt, pokeWord = command:match("^poke%s+(%x+)%s+(%x+)$")
    local id = command:match("^capture%s+(%S+)$")
    local waitFrames = command:match("^wait%s+(%d+)$")
    if button then
      held = assert(pad.fields[button], "no pad field " .. button)
      held:set_value(1)
      next = next + 1
      return
    elseif waitFrames then
      rest = tonumber(waitFrames)
      next = next + 1
      return
    elseif pokeAt then
      cartridge:write_u16(tonumber(pokeAt, 16), tonumber(pokeWord, 16))
      poked = true
      next = next + 1
    elseif id then
      -- Settled: the same view in the words of this frame and of the two
      -- before it. The words change when a frame's picture goes to the VDP,
      -- and the picture this hook gets is up to two frames behind them.
      -- After a change of the cartridge, four frames made since: the first
      -- may have been prepared before it.
      if captureStart == nil then
        captureStart = s.frames
        lastShown = nil
        beforeLast = nil
        tries = 0
      end
      local now = shown(s)
      tries = tries + 1
      local made = (s.frames - captureStart) & 0xFFFF
      local settled = now == lastShown and now == beforeLast and made >= (poked and 4 or 2)
      beforeLast = lastShown
      lastShown = now
      if not settled and tries < 60 then return end
      local pixels, width, height = screen:pixels()
      local line = { id, settled and "settled" or "unsettled", tostring(width), tostring(height) }
      for _, name in ipairs(order) do table.insert(line, tostring(s[name])) end
      captures:write(table.concat(line, " "), "\n")
      frameFile:write(pixels)
      captureStart = nil
      poked = false
      next = next + 1
      return
    else
      error("unknown command: " .. command)
    end
  end
  finish()
end)

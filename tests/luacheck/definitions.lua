-- Runs a label script the way the simulator does and prints what it defines: every
-- global it sets, one line per value, with tables unfolded and keys in a fixed order,
-- so that two runs can be compared line by line.
--   lua5.4 definitions.lua Labels.lua [level]
-- With a level (1 FULL, 2 ABBREVIATED, 3 DOT), the script sees it as the simulator sets
-- it, in `labels`; scripts that pick their tables by level then define that level's.
local script = assert(arg[1], "usage: lua5.4 definitions.lua <label script> [level]")
local defined = {}
local environment = setmetatable({}, {
    __index = _G,
    __newindex = function(t, key, value) defined[key] = true; rawset(t, key, value) end,
})
if arg[2] then rawset(environment, "labels", tonumber(arg[2])) end
assert(loadfile(script, "t", environment))()

local function ordered(a, b)
    if type(a) ~= type(b) then return type(a) < type(b) end
    if type(a) == "number" or type(a) == "string" then return a < b end
    return tostring(a) < tostring(b)
end

local function keyText(key)
    if type(key) == "string" then return "." .. key end
    return "[" .. tostring(key) .. "]"
end

local lines = {}
local function unfold(name, value, path)
    if type(value) ~= "table" then
        local text = type(value) == "string" and string.format("%q", value) or tostring(value)
        if type(value) == "function" then text = "function" end
        lines[#lines + 1] = name .. " = " .. text
        return
    end
    if path[value] then
        lines[#lines + 1] = name .. " = <the table of " .. path[value] .. ">"
        return
    end
    lines[#lines + 1] = name .. " = {}"
    path[value] = name
    local keys = {}
    for key in pairs(value) do keys[#keys + 1] = key end
    table.sort(keys, ordered)
    for _, key in ipairs(keys) do unfold(name .. keyText(key), value[key], path) end
    path[value] = nil
end

local names = {}
for name in pairs(defined) do names[#names + 1] = name end
table.sort(names, ordered)
for _, name in ipairs(names) do unfold(name, rawget(environment, name), {}) end
io.write(table.concat(lines, "\n"), "\n")

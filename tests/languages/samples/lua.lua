#!/usr/bin/env lua
-- config.lua - parses "key = value" lines.

--[==[
Long comment at level 2.
A "]]" here does not close it, nor does ]=].

]==]

local M = {}

local SEP = "--"             -- a string holding the comment marker
local OPEN = '--[['          -- and one holding a long-comment opener
local ESC = "say \"hi\" -- still a string"
local TEMPLATE = [[
key = value -- not a comment inside a long string

]]
local NESTED = [=[ a ]] inside ]=]
local SPLIT = "first \
second"

--[[ single-line long comment ]] local after = 1

---[[ three dashes make this a short comment, so the code below runs
print("enabled", SEP, OPEN, ESC, TEMPLATE, NESTED, SPLIT, after)
--]]

function M.parse(text)
  local out = {}
  for line in text:gmatch("[^\n]+") do
    local k, v = line:match("^(%w+)%s*=%s*(.-)%s*$") -- key = value
    if k then out[k] = v end
  end
  return out
end

return M

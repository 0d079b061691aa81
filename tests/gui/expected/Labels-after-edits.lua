-- Label settings of the simulator
-- Loaded by the simulator at start; values below are the factory settings.



-- Detail levels the player can pick in the options:
--   0 = no labels
--   1 = FULL         (symbol, type, distance, name)
--   2 = ABBREVIATED  (symbol and type)
--   3 = DOT          (symbol only)

AirOn			 		= true
GroundOn 		 		= true
NavyOn		 	 		= true
WeaponOn = false
labels_format_version 	= 2 -- layout revision of this script
---------------------------------
-- Placeholders understood in a label text
-- %N - unit type
-- %D - distance to the camera
-- %P - player name
-- %n - line break
-- %% - a literal '%'
-- %C - weapon state of vehicles and ships
------------------------------------------
-- Example
-- labelFormat[5000] = {"Type: %N%nRange: %D%n Player: %P","LeftBottom",0,0}
-- draws, below 5 km:
--       Type: Su-33
--       Range: 30km
--       Player: Pilot1


-- accepted alignments
--"RightBottom"
--"LeftTop"
--"RightTop"
--"LeftCenter"
--"RightCenter"
--"CenterBottom"
--"CenterTop"
--"CenterCenter"
--"LeftBottom"

local aircraft_symbol_near  =  "˄" --U+02C4
local aircraft_symbol_far   =  "✈" --U+2708

local ground_symbol_near = "▲"
local ground_symbol_far     = "ˉ"  --U+02C9

local navy_symbol_near      = "˜"  --U+02DC
local navy_symbol_far = "⊕"

local weapon_symbol_near    = "ˈ"  --U+02C8
local weapon_symbol_far     = "ˈ"  --U+02C8

local function dot_symbol(blending,opacity)
    return {"˙","CenterBottom", blending or 1.0 , opacity  or 0.1}
end

local DISTANCE             = "%D"
local NAME 				   = "%n  %N"
local DISTANCE_NAME        = DISTANCE..NAME
local DISTANCE_NAME_PLAYER = DISTANCE_NAME.."%n  %P"
local ABB_NAME 			   = "%N"

local EMPTY = {"", "LeftBottom", 1, 1, 0, 0}

-- neutral units fade out as a row of dots
local function NEUTRAL_DOT(near_dist,far_dist,cutoff_dist)

	local res = {
		[500]	= EMPTY,
	}
	local steps = (far_dist - near_dist)/2000
	local last_x = 0
	for i = 1,steps,1 do 
		last_x 		= near_dist + (i - 1) * 2000
		local opacity 	= 0.95 * (1 - math.sqrt(last_x/far_dist)) + 0.05
		res[last_x] 	= {"·","CenterCenter",0,opacity,0,2}
	end
	
	res[last_x + 2000] = EMPTY
	return res
	
end

local neutralDotColor = {75,75,75} 

LEVEL_NEUTRAL_DOT = {
	AirFormat 	 = NEUTRAL_DOT(1000,30000),
	GroundFormat = NEUTRAL_DOT(1000,20000),
	NavyFormat 	 = NEUTRAL_DOT(1000,40000),
	WeaponFormat = NEUTRAL_DOT(1000,10000),
	--------------------------------------------------------
	ColorNeutralSide		= neutralDotColor,
	ColorAliesSide   		= neutralDotColor,
	ColorEnemiesSide 		= neutralDotColor,
	ColorUnknown     		= neutralDotColor,

	ShadowColorNeutralSide 	= neutralDotColor,
	ShadowColorAliesSide	= neutralDotColor,
	ShadowColorEnemiesSide 	= neutralDotColor,
	ShadowColorUnknown 		= neutralDotColor,
	--------------------------------------------------
	font_properties 		= {"DejaVuLGCSans.ttf", 11, 0, 0, 0},
}


-- side colours as {red, green, blue}, each 0 to 255
ColorNeutralSide		= {255, 255,255} 
ColorAliesSide = {10,200,30}
ColorEnemiesSide = {255,255,0}
-- blended with the side colour at long range
ColorUnknown			= {50, 	50 , 50}

ShadowColorNeutralSide 	= {0,0,0,0}
ShadowColorAliesSide	= {0,0,0,0}
ShadowColorEnemiesSide 	= {0,0,0,0}
ShadowColorUnknown 		= {0,0,0,0}

BlurColorNeutralSide 	= {0 , 0  ,0   ,255}
BlurColorAliesSide		= {50, 0  ,0   ,255}
BlurColorEnemiesSide	= {0  ,0  ,50  ,255}
BlurColorUnknown		= {50 ,50 ,50  ,255}

if 	neutrals_green then
	ColorNeutralSide 		= {0,  204,	125}
	BlurColorNeutralSide 	= {0 , 50 ,   0,255}
end

-- font of every label: {file, size in pixels, shadow x, shadow y, blur kind}
-- blur kind 0: none, 1: 3x3 pixels, 2: 5x5 pixels
	
local default_font 		=  {"DejaVuLGCSans.ttf", 16, 0, 0, 0}
local base_preset  = function(t)
	t.ColorNeutralSide			= t.ColorNeutralSide		or		ColorNeutralSide
	t.ColorAliesSide			= t.ColorAliesSide			or		ColorAliesSide
	t.ColorEnemiesSide			= t.ColorEnemiesSide		or		ColorEnemiesSide
	t.ColorUnknown				= t.ColorUnknown			or		ColorUnknown

	t.ShadowColorNeutralSide	= t.ShadowColorNeutralSide	or		ShadowColorNeutralSide
	t.ShadowColorAliesSide		= t.ShadowColorAliesSide	or		ShadowColorAliesSide
	t.ShadowColorEnemiesSide	= t.ShadowColorEnemiesSide	or		ShadowColorEnemiesSide
	t.ShadowColorUnknown		= t.ShadowColorUnknown		or		ShadowColorUnknown

	t.BlurColorNeutralSide		= t.BlurColorNeutralSide	or		BlurColorNeutralSide
	t.BlurColorAliesSide		= t.BlurColorAliesSide		or		BlurColorAliesSide
	t.BlurColorEnemiesSide		= t.BlurColorEnemiesSide	or		BlurColorEnemiesSide
	t.BlurColorUnknown			= t.BlurColorUnknown		or		BlurColorUnknown

	t.font_properties 			= t.font_properties 		or  	default_font
	return t
end


LEVEL_DOT = base_preset({
	AirFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[30]	= EMPTY,
	[3000]	= {aircraft_symbol_near	, "CenterCenter"	,0.75	, 0.7	, -3	, 0},
	[6000]	= {aircraft_symbol_near	, "CenterCenter"	,0.75	, 0.5	, -3	, 0},
	[12000]	= {aircraft_symbol_far 	, "CenterCenter"	,0.25	, 0.25	, -3	, 0},
	[24000]	= dot_symbol(0,0.1),
	},

	GroundFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[30]	= EMPTY,
	[3000]	= {ground_symbol_near		,"CenterCenter"	,0.75	, 0.7	, -3	, 0},
	[7000]	= {ground_symbol_far		,"CenterCenter"	,0.75	, 0.5	, -3	, 0},
	[15000]	=  dot_symbol(0.75, 0.1),
	},

	NavyFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[30]	= EMPTY,
	[7000]	= {navy_symbol_near				,"CenterCenter"	,0.75	, 0.7	, -3	, 0},
	[14000]	= {navy_symbol_far 				,"CenterCenter"	,0.75	, 0.5	, -3	, 0},
	[30000]	= dot_symbol(0.75,0.1),
	},

	WeaponFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[10]	    = EMPTY,
	[3000]	= {weapon_symbol_near					,"RightBottom"	,0.75	, 0.7	, -3	, 0},
	[7000]	= {weapon_symbol_far					,"RightBottom"	,0.75	, 0.5	, -3	, 0},
	[14000]	= {weapon_symbol_far					,"RightBottom"	,0.25	, 0.25	, -3	, 0},
	},
})

LEVEL_ABBREVIATED = base_preset({
	AirFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[20]	= EMPTY,
	[7999]	= {aircraft_symbol_near..ABB_NAME	, "RightTop"	,0.75	, 0.7	, -3	, 0},
	[15999]	= {aircraft_symbol_near..ABB_NAME	, "RightTop"	,0.75	, 0.5	, -3	, 0},
	[16000]	= {aircraft_symbol_far ..ABB_NAME	, "RightTop"	,0.25	, 0.25	, -3	, 0},
	[25000]	= dot_symbol(0,0.1),
	},

	GroundFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[20]	= EMPTY,
	[4000]	= {ground_symbol_near..ABB_NAME		,"RightTop"	,0.75	, 0.7	, -3	, 0},
	[9000]	= {ground_symbol_far..ABB_NAME		,"RightTop"	,0.75	, 0.5	, -3	, 0},
	[18000]	=  dot_symbol(0.75, 0.1),
	},

	NavyFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[20]	= EMPTY,
	[9000]	= {navy_symbol_near ..ABB_NAME		,"LeftTop"	,0.75	, 0.7	, -3	, 0},
	[18000]	= {navy_symbol_far  ..ABB_NAME		,"LeftTop"	,0.75	, 0.5	, -3	, 0},
	[36000]	= dot_symbol(0.75,0.1),
	},

	WeaponFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[8]	    = EMPTY,
	[4500]	= {weapon_symbol_near ..ABB_NAME		,"RightTop"	,0.75	, 0.7	, -3	, 0},
	[9000]	= {weapon_symbol_far					,"RightTop"	,0.75	, 0.5	, -3	, 0},
	[18000]	= {weapon_symbol_far					,"RightTop"	,0.25	, 0.25	, -3	, 0},
	},
})

LEVEL_FULL = base_preset({
	AirFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[10]	= EMPTY,
	[5000]	= {aircraft_symbol_near..DISTANCE_NAME_PLAYER	, "CenterTop"	,0.75	, 0.7	, -3	, 0},
	[10000]	= {aircraft_symbol_near..DISTANCE_NAME			, "CenterTop"	,0.75	, 0.5	, -3	, 0},
	[20000]	= {aircraft_symbol_far ..DISTANCE				, "CenterTop"	,0.25	, 0.25	, -3	, 0},
	[30000]	= dot_symbol(0,0.1),
	},

	GroundFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[10]	= EMPTY,
	[6000]	= {ground_symbol_near..DISTANCE_NAME_PLAYER		,"LeftBottom"	,0.75	, 0.7	, -3	, 0},
	[10000]	= {ground_symbol_far ..DISTANCE_NAME			,"LeftBottom"	,0.75	, 0.5	, -3	, 0},
	[20000]	= dot_symbol(0.75, 0.1),
	},

	NavyFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[10]	= EMPTY,
	[10000]	= {navy_symbol_near ..DISTANCE_NAME				,"LeftBottom"	,0.75	, 0.7	, -3	, 0},
	[20000]	= {navy_symbol_far  ..DISTANCE  				,"LeftBottom"	,0.75	, 0.5	, -3	, 0},
	[99999]	= dot_symbol(0.75,0.1),
	},

	WeaponFormat = {
	--[distance]		= {text, alignment, colour_blend, opacity, shift_x, shift_y}
	[5]	    = EMPTY,
	[5000]	= {weapon_symbol_near ..DISTANCE_NAME			,"LeftBottom"	,0.75	, 0.7	, -3	, 0},
	[10000]	= {weapon_symbol_far  ..DISTANCE				,"LeftBottom"	,0.75	, 0.5	, -3	, 0},
	[20000]	= {weapon_symbol_far							,"LeftBottom"	,0.25	, 0.25	, -3	, 0},
	},
})


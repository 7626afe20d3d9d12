// Hand-drawn 16x16 pictures of the furniture, the overworld icons and the ladders,
// as rows of hex colour digits ('.' = the background shows through).
#pragma once

struct TileTemplate {
    const char *rows[16];
};

// Furniture and fittings, drawn over a floor by paintObject.
enum ObjectTemplate {
    objTable,
    objChair,
    objBed,
    objCounter,
    objBarrel,
    objChest,
    objBookshelf,
    objHearth,
    objAnvil,
    objSign,
    objStatue,
    objAltar,
    objWell,
    objLadderUp,
    objLadderDown,
    objThrone,
    objGrave,
    objCrate,
    objPot,
    objDoor,
    objLockedDoor,
    objPortcullis,
    objWindow,
    objStair,
    objTrapdoor,
    objStalagmite,
    objPillar,
    objBones,
    objCauldron,
    objCount
};

// Places on the overworld, drawn over grass by paintIcon.
enum IconTemplate {
    iconTown,
    iconCastle,
    iconLighthouse,
    iconHut,
    iconVillage,
    iconKeep,
    iconDungeon,
    iconCave,
    iconSealedGate,
    iconSignpost,
    iconRuins,
    iconStandingStone,
    iconWatchtower,
    iconTents,
    iconShipwreck,
    iconCount
};

extern const TileTemplate objectTemplates[objCount];
extern const TileTemplate iconTemplates[iconCount];

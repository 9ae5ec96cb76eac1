-- What wixl 0.101 cannot express, written into the package's tables by scripts/msi.sh after
-- wixl has built it. One statement a line; lines starting with "--" are comments.
--
-- The command line's folder on the system PATH, taken off again on removal (wixl has no
-- Environment element): "=" sets, "-" removes on uninstall, "*" is the system's environment.
-- The folder goes in FRONT ("[INSTALLDIR];[~]": the value, a separator, what is there): an
-- entry is removed with the separator that follows it, by Windows Installer and by Wine's
-- engine alike, and only a first entry has one after it. Appended ("[~];[INSTALLDIR]"), the
-- entry is the last, and Wine's engine takes it off but leaves the separator before it: an
-- uninstall left PATH ending in ";", an upgrade (removal, then install) ";;". The folder
-- holds only the two programs, so being first shadows nothing of the system's.
CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL LOCALIZABLE, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)
INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PathEntry', '=-*PATH', '[INSTALLDIR];[~]', 'Cli')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)
-- One product per machine: the other flavour (its own upgrade code, @OtherUpgradeCode@, which
-- scripts/msi.sh fills in) is found in any version and removed by RemoveExistingProducts,
-- which MajorUpgrade schedules right after InstallValidate, as the flavour's own older
-- versions are. 257: migrate its feature states, minimum version inclusive (0.0.0: every
-- version). The property must be secure to reach the server side of the install.
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, `Attributes`, `Remove`, `ActionProperty`) VALUES ('{@OtherUpgradeCode@}', '0.0.0', '', '', 257, '', 'OTHERFLAVOURFOUND')
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;OTHERFLAVOURFOUND' WHERE `Property` = 'SecureCustomProperties'
-- A plain shortcut to the installed program: wixl makes every shortcut an advertised one,
-- aimed at the feature.
UPDATE `Shortcut` SET `Target` = '[#Tool]' WHERE `Shortcut` = 'ToolShortcut'
-- The extension's association (component ProfileOpen) only where the extension has none, or
-- has this program's: the default value of HKCR\.zp350 is looked up first (a raw registry
-- value, type 2) into EXISTINGPROFILETYPE.
INSERT INTO `RegLocator` (`Signature_`, `Root`, `Key`, `Type`) VALUES ('ExistingProfileType', 0, '.zp350', 2)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('EXISTINGPROFILETYPE', 'ExistingProfileType')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `InstallUISequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
UPDATE `Component` SET `Condition` = 'NOT EXISTINGPROFILETYPE OR EXISTINGPROFILETYPE = "ZP350.Profile"' WHERE `Component` = 'ProfileOpen'
-- ===== The reader set-up service (component ReaderSetupService, installer/zp350.wxs) =====
-- Installed only when PROFILE is given, or where an earlier version installed it (its
-- service's key found into READERSETUPINSTALLED before the earlier version is removed), so
-- that an upgrade without PROFILE keeps the service and its profile.
INSERT INTO `RegLocator` (`Signature_`, `Root`, `Key`, `Name`, `Type`) VALUES ('ReaderSetupInstalled', 2, 'SYSTEM\CurrentControlSet\Services\ZP350ReaderSetup', 'ImagePath', 2)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('READERSETUPINSTALLED', 'ReaderSetupInstalled')
UPDATE `Component` SET `Condition` = 'PROFILE OR READERSETUPINSTALLED' WHERE `Component` = 'ReaderSetupService'
-- The profile given is copied by the service's program as the system (type 3090: a program
-- of the package, deferred, not impersonated), after the service is installed and before it
-- starts, also when the same version is run again with a new PROFILE (the service reads it
-- again on its own); a file that is no profile fails the installation. On removal (not on an
-- upgrade) the profile and its folder go, after the service is stopped and deleted.
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('InstallReaderProfile', 3090, 'Service', 'install-profile "[PROFILE]"')
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('RemoveReaderProfile', 3090, 'Service', 'remove-profile')
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('InstallReaderProfile', 'PROFILE AND NOT REMOVE~="ALL" AND ($ReaderSetupService = 3 OR ?ReaderSetupService = 3)', 5850)
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('RemoveReaderProfile', 'REMOVE~="ALL" AND NOT UPGRADINGPRODUCTCODE AND $ReaderSetupService = 2', 2100)
-- PROFILE reaches the installation's server side also when a user's session starts it.
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;PROFILE;READERSETUPINSTALLED' WHERE `Property` = 'SecureCustomProperties'
-- ===== end of the reader set-up service =====

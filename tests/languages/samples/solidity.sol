// SPDX-License-Identifier: MIT
pragma solidity ^0.8.20;

/* A block comment
   // with a line comment inside */
/// @title A NatSpec comment: counts the deposits of each account.
contract Ledger {
    mapping(address => uint256) public deposits; // a comment after code
    string public constant NOTE = "a // b /* c */ \" d";
    string public constant SINGLE = 'it\'s // text';
    bytes public constant RAW = hex"00ff";

    /**
     * @notice Adds the value sent to the sender's deposits.
     */
    function deposit() external payable {
        deposits[msg.sender] += msg.value / 2 / 1; // division
    }
}
